<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AddressList</name>
    <message>
        <source>“%1”不是地址</source>
        <translation>“%1” is not an address</translation>
    </message>
    <message>
        <source>地址 %1 超出范围（%2 至 %3）</source>
        <translation>Address %1 is out of range (%2 to %3)</translation>
    </message>
    <message>
        <source>“%1”不是地址范围</source>
        <translation>“%1” is not an address range</translation>
    </message>
    <message>
        <source>范围 %1 的起点大于终点</source>
        <translation>Range %1 starts after it ends</translation>
    </message>
    <message>
        <source>请输入至少一个地址，例如 1-5, 7</source>
        <translation>Enter at least one address, e.g. 1-5, 7</translation>
    </message>
    <message>
        <source>范围“%1”没有终点</source>
        <translation>The range “%1” has no end</translation>
    </message>
    <message>
        <source>范围“%1”没有起点</source>
        <translation>The range “%1” has no start</translation>
    </message>
</context>
<context>
    <name>BroadcastGuard</name>
    <message>
        <source>模块地址更改</source>
        <translation>Address change</translation>
    </message>
    <message>
        <source>线上有不同型号的传感器：广播（地址 0）写入会改写线上每个接受该写入的传感器的地址，不只是要更改的那一个。仍要广播吗？</source>
        <translation>Sensors of different models are on this line: a broadcast write (address 0) rewrites the address of every sensor on the line that takes the write, not only the one to be changed. Broadcast all the same?</translation>
    </message>
    <message>
        <source>广播</source>
        <translation>Broadcast</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>BusWatchPart</name>
    <message>
        <source>串口已关闭，监视已停止。</source>
        <translation>The port was closed; the watch has stopped.</translation>
    </message>
    <message>
        <source>监视已停止。</source>
        <translation>The watch has stopped.</translation>
    </message>
    <message>
        <source>第 %1 轮；上一轮占用线路 %2 毫秒</source>
        <translation>Round %1; the last kept the line busy for %2 ms</translation>
    </message>
    <message numerus="yes">
        <source>正在监视 %n 个传感器……</source>
        <translation>
            <numerusform>Watching %n sensor…</numerusform>
            <numerusform>Watching %n sensors…</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BusWatchWindow</name>
    <message>
        <source>要监视的地址</source>
        <translation>Addresses to watch</translation>
    </message>
    <message>
        <source>例如 1-5, 7, 9</source>
        <translation>e.g. 1-5, 7, 9</translation>
    </message>
    <message>
        <source> 毫秒</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>地址(&amp;A)：</source>
        <translation>&amp;Addresses:</translation>
    </message>
    <message>
        <source>应答超时(&amp;T)：</source>
        <translation>Reply &amp;timeout:</translation>
    </message>
    <message>
        <source>监视结果</source>
        <translation>Watch results</translation>
    </message>
    <message>
        <source>复制表格</source>
        <translation>Copy table</translation>
    </message>
    <message>
        <source>依次读取每个地址；监视期间串口由本窗口使用。</source>
        <translation>Reads each address in turn; while the watch runs, it has the port to itself.</translation>
    </message>
    <message>
        <source>开始监视(&amp;S)</source>
        <translation>&amp;Start watch</translation>
    </message>
    <message>
        <source>停止监视(&amp;P)</source>
        <translation>Sto&amp;p watch</translation>
    </message>
    <message>
        <source>复制表格(&amp;C)</source>
        <translation>&amp;Copy table</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>更改波特率…</source>
        <translation>Change baud rate…</translation>
    </message>
    <message>
        <source>全部更改波特率…</source>
        <translation>Change baud rate of all…</translation>
    </message>
    <message>
        <source>导出配置…</source>
        <translation>Export configuration…</translation>
    </message>
    <message>
        <source>把监视的全部传感器按各自型号导出为监控系统的配置</source>
        <translation>Export every watched sensor, each with its model, as configurations for monitoring systems</translation>
    </message>
</context>
<context>
    <name>Caption</name>
    <message>
        <source>温湿度传感器Modbus调试软件&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;             Quorvex</source>
        <translation>Modbus Temperature and Humidity Sensor Tool                    Quorvex</translation>
    </message>
    <message>
        <source>采 集</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停 止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>确 定</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>通讯数据正常！</source>
        <translation>Reply OK</translation>
    </message>
    <message>
        <source>通讯数据错误！</source>
        <translation>Reply error</translation>
    </message>
    <message>
        <source>温湿度传感器Modbus调试软件</source>
        <translation>Modbus Temperature and Humidity Sensor Tool</translation>
    </message>
    <message>
        <source>无校验</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
</context>
<context>
    <name>CorrectionsPart</name>
    <message>
        <source>校正（当前地址的传感器）</source>
        <translation>Corrections (the sensor at the polled address)</translation>
    </message>
    <message>
        <source>读取校正</source>
        <translation>Read corrections</translation>
    </message>
    <message>
        <source>写入校正</source>
        <translation>Write corrections</translation>
    </message>
    <message>
        <source>温度校正：</source>
        <translation>Temperature offset:</translation>
    </message>
    <message>
        <source>湿度校正：</source>
        <translation>Humidity offset:</translation>
    </message>
    <message>
        <source>可写入 %1 到 %2</source>
        <translation>Takes %1 to %2</translation>
    </message>
    <message>
        <source>“%1”没有校正寄存器</source>
        <translation>“%1” has no correction registers</translation>
    </message>
    <message>
        <source>正在读取…</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <source>校正值应为数字，例如 -1.5</source>
        <translation>An offset is a number, such as -1.5</translation>
    </message>
    <message>
        <source>校正值超出范围 %1 到 %2，未写入</source>
        <translation>Offset outside %1 to %2; nothing written</translation>
    </message>
    <message>
        <source>正在写入…</source>
        <translation>Writing…</translation>
    </message>
    <message>
        <source>传感器中的校正值已读回确认</source>
        <translation>The sensor&apos;s offsets read back and confirmed</translation>
    </message>
    <message>
        <source>已读取传感器中的校正值</source>
        <translation>The sensor&apos;s offsets read</translation>
    </message>
</context>
<context>
    <name>HandoverDialog</name>
    <message>
        <source>导出配置</source>
        <translation>Export configuration</translation>
    </message>
    <message>
        <source>传感器</source>
        <translation>Sensors</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>名称（可编辑）</source>
        <translation>Name (editable)</translation>
    </message>
    <message>
        <source>保存到文件夹…</source>
        <translation>Save to folder…</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>保存配置到文件夹</source>
        <translation>Save the configuration to a folder</translation>
    </message>
    <message numerus="yes">
        <source>已保存 %n 个文件到 %1</source>
        <translation>
            <numerusform>Saved %n file to %1</numerusform>
            <numerusform>Saved %n files to %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HandoverPart</name>
    <message>
        <source>%1 是 RFC 2217 服务器：监控系统以 TCP 原样转发连接它，请在服务器上把线路设为 %2。</source>
        <translation>%1 is an RFC 2217 server: monitoring systems reach it as raw TCP, so set its line to %2 on the server.</translation>
    </message>
    <message>
        <source>COM%1 的设备 %2 现在不存在：请在文件中改成监控计算机上传感器线路的设备。</source>
        <translation>COM%1&apos;s device %2 is not there now: put the device of the sensors&apos; line on the monitoring computer into the files.</translation>
    </message>
    <message>
        <source>导出配置…</source>
        <translation>Export configuration…</translation>
    </message>
</context>
<context>
    <name>LineHealth</name>
    <message>
        <source>通讯统计</source>
        <translation>Line statistics</translation>
    </message>
</context>
<context>
    <name>LineSettingsDialog</name>
    <message>
        <source>线路设置</source>
        <translation>Line settings</translation>
    </message>
    <message>
        <source>波特率(&amp;B)：</source>
        <translation>&amp;Baud rate:</translation>
    </message>
    <message>
        <source>校验位(&amp;P)：</source>
        <translation>&amp;Parity:</translation>
    </message>
    <message>
        <source>数据位：</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>停止位(&amp;S)：</source>
        <translation>&amp;Stop bits:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>打开的串口以新设置重新打开；关闭时在下次打开串口时生效。波特率存入 com.txt。</source>
        <translation>An open port is reopened with the new settings; a closed one uses them at the next open. The baud rate is kept in com.txt.</translation>
    </message>
</context>
<context>
    <name>LineSettingsPart</name>
    <message>
        <source>线路设置…</source>
        <translation>Line settings…</translation>
    </message>
</context>
<context>
    <name>LinkSettings</name>
    <message>
        <source>无法读取 com.txt（%1），已使用默认设置 COM1、9600</source>
        <translation>Cannot read com.txt (%1); using the defaults COM1, 9600</translation>
    </message>
    <message>
        <source>com.txt 不足两行，已使用默认设置 COM1、9600</source>
        <translation>com.txt has fewer than two lines; using the defaults COM1, 9600</translation>
    </message>
    <message>
        <source>com.txt 中的串口号“%1”超出范围，已使用 COM1</source>
        <translation>The port number “%1” in com.txt is out of range; using COM1</translation>
    </message>
</context>
<context>
    <name>MainControls</name>
    <message>
        <source> 通讯设置 </source>
        <translation> Serial port </translation>
    </message>
    <message>
        <source> 温度采集</source>
        <translation> Acquisition</translation>
    </message>
    <message>
        <source> 模块地址更改 </source>
        <translation> Change address </translation>
    </message>
    <message>
        <source>串口号</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>数据位</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>停止位</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>模块地址:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>当前温度:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>当前湿度:</source>
        <translation>Humidity:</translation>
    </message>
    <message>
        <source>当前温度</source>
        <translation>Current temperature</translation>
    </message>
    <message>
        <source>当前湿度</source>
        <translation>Current humidity</translation>
    </message>
    <message>
        <source>串口状态</source>
        <translation>Port state</translation>
    </message>
    <message>
        <source>温湿度</source>
        <translation>T / RH</translation>
    </message>
</context>
<context>
    <name>ModelTexts</name>
    <message>
        <source>zh</source>
        <extracomment>Not shown: &quot;en&quot; where the tool speaks English, so that models show their English names.</extracomment>
        <translation>en</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>湿度</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>功能码 %1，寄存器 %2：%3</source>
        <translation>function %1, registers %2: %3</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>广播（地址 0）写寄存器 %1</source>
        <translation>broadcast (address 0) write of register %1</translation>
    </message>
    <message>
        <source>在当前地址写寄存器 %1，断电重启后生效</source>
        <translation>write of register %1 at the current address, after a power cycle</translation>
    </message>
    <message>
        <source>在当前地址写寄存器 %1，立即生效</source>
        <translation>write of register %1 at the current address, at once</translation>
    </message>
    <message>
        <source>在当前地址发送参数帧（地址与波特率）</source>
        <translation>parameter frame at the current address (address and rate)</translation>
    </message>
    <message>
        <source>不能由本工具更改（拨码开关或厂家未公开）</source>
        <translation>not by this tool (DIP switches, or not published)</translation>
    </message>
    <message>
        <source>传感器故障</source>
        <translation>sensor error</translation>
    </message>
    <message>
        <source>传感器型号：%1
读取：%2
出厂线路：%3，地址 %4
地址更改：%5</source>
        <translation>Sensor model: %1
Read: %2
Factory line: %3, address %4
Address change: %5</translation>
    </message>
</context>
<context>
    <name>NetworkPortsDialog</name>
    <message>
        <source>网络串口</source>
        <translation>Network ports</translation>
    </message>
    <message>
        <source>主机名或 IP 地址</source>
        <translation>Host name or IP address</translation>
    </message>
    <message>
        <source>RFC 2217（本软件设置服务器的线路参数）</source>
        <translation>RFC 2217 (this tool sets the server&apos;s line)</translation>
    </message>
    <message>
        <source>TCP 原样转发（线路参数由服务器自己设置）</source>
        <translation>Raw TCP (the server keeps its own line settings)</translation>
    </message>
    <message>
        <source>串口号(&amp;P)：</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>服务器(&amp;H)：</source>
        <translation>Server &amp;host:</translation>
    </message>
    <message>
        <source>TCP 端口(&amp;T)：</source>
        <translation>&amp;TCP port:</translation>
    </message>
    <message>
        <source>方式(&amp;K)：</source>
        <translation>&amp;Kind:</translation>
    </message>
    <message>
        <source>保存映射(&amp;S)</source>
        <translation>&amp;Save mapping</translation>
    </message>
    <message>
        <source>删除映射(&amp;D)</source>
        <translation>&amp;Delete mapping</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>映射后，串口列表中的这个串口号经网络连到串口服务器；在下次打开串口时生效。</source>
        <translation>Once mapped, this port number of the port list reaches the serial server over the network, from the next time the port is opened.</translation>
    </message>
    <message>
        <source>服务器的主机名或地址无效</source>
        <translation>The server&apos;s host name or address is not valid</translation>
    </message>
    <message>
        <source>尚无网络串口。</source>
        <translation>No network ports yet.</translation>
    </message>
    <message>
        <source>Modbus TCP 网关（单元号即传感器地址，线路参数由网关自己设置）</source>
        <translation>Modbus TCP gateway (unit id = sensor address; the gateway keeps its own line settings)</translation>
    </message>
</context>
<context>
    <name>NetworkPortsPart</name>
    <message>
        <source>网络串口…</source>
        <translation>Network ports…</translation>
    </message>
    <message>
        <source>%1 经 TCP 原样转发：线路参数由串口服务器自己设置，这里的设置不会送到线路上</source>
        <translation>%1 passes bytes unchanged: the serial server keeps its own line settings, and these do not reach the line</translation>
    </message>
    <message>
        <source>%1 经 Modbus TCP 网关：线路参数由网关自己设置，这里的设置不会送到线路上</source>
        <translation>%1 through a Modbus TCP gateway: the gateway keeps its own line settings; these do not reach the line</translation>
    </message>
    <message>
        <source>COM%1 是 Modbus TCP 网关 %2：请求和回复以 Modbus TCP 传输，CRC 不在线路上，回复中显示的 CRC 由本软件算出</source>
        <translation>COM%1 is the Modbus TCP gateway %2: requests and replies travel as Modbus TCP, the CRC is not on the wire; the CRC shown in replies is computed by this tool</translation>
    </message>
    <message>
        <source>有些 Modbus TCP 网关不转发广播（单元号 0），地址写入可能没有到达传感器：请在新地址读取一次确认，或经本地串口更改地址</source>
        <translation>Some Modbus TCP gateways do not forward broadcasts (unit 0), so the address write may not have reached the sensor: read once at the new address to confirm, or change the address through a local port</translation>
    </message>
</context>
<context>
    <name>NetworkSerialControl</name>
    <message>
        <source>无效的线路参数：%1</source>
        <translation>Invalid line settings: %1</translation>
    </message>
    <message>
        <source>已经打开</source>
        <translation>already open</translation>
    </message>
    <message>
        <source>服务器关闭了连接</source>
        <translation>the server closed the connection</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>not connected</translation>
    </message>
    <message>
        <source>连接已断开</source>
        <translation>the connection is gone</translation>
    </message>
    <message>
        <source>连接超时</source>
        <translation>connection timed out</translation>
    </message>
</context>
<context>
    <name>PortAdvice</name>
    <message>
        <source>在 com.txt 所在文件夹执行 ln -s %1 COM%2，即可把它用作 COM%2</source>
        <translation>run ln -s %1 COM%2 in the folder of com.txt to use it as COM%2</translation>
    </message>
    <message>
        <source>请把用户加入 dialout 组（sudo adduser $USER dialout），然后重新登录（常见的 USB 转 RS-485 适配器在安装本软件后插上即可使用）</source>
        <translation>add the user to the dialout group (sudo adduser $USER dialout) and log in again (the common USB to RS-485 adapters work once this tool is installed and they are plugged in)</translation>
    </message>
</context>
<context>
    <name>PortCaption</name>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
</context>
<context>
    <name>PortListTips</name>
    <message>
        <source>COM%1 → 网络串口 %2</source>
        <translation>COM%1 → network port %2</translation>
    </message>
</context>
<context>
    <name>PortStatusText</name>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 无法连接：%2</source>
        <translation>%1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>%1 不存在</source>
        <translation>%1 does not exist</translation>
    </message>
    <message>
        <source>%1，系统中没有找到串口设备</source>
        <translation>%1, and the system has no serial devices</translation>
    </message>
    <message>
        <source>%1；现有串口：%2</source>
        <translation>%1; serial devices: %2</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between devices</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>%1；%2</source>
        <comment>what is found; advice</comment>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>%1 被其他程序占用</source>
        <translation>%1 is in use by another program</translation>
    </message>
    <message>
        <source>无权打开 %1</source>
        <translation>No permission to open %1</translation>
    </message>
    <message>
        <source>%1 不接受线路参数 %2</source>
        <translation>%1 does not accept the line settings %2</translation>
    </message>
    <message>
        <source>向 %1 写入失败，串口已关闭</source>
        <translation>Writing to %1 failed; the port is closed</translation>
    </message>
    <message>
        <source>%1 已断开</source>
        <translation>%1 is disconnected</translation>
    </message>
    <message>
        <source>无法打开 %1</source>
        <translation>Cannot open %1</translation>
    </message>
    <message>
        <source>系统信息：%1</source>
        <translation>System: %1</translation>
    </message>
    <message>
        <source>（经文件夹中的 COM%1 链接）</source>
        <translation> (through the COM%1 link in the folder)</translation>
    </message>
    <message>
        <source>COM%1 → %2%3</source>
        <translation>COM%1 → %2%3</translation>
    </message>
    <message>
        <source>此处没有连接设备</source>
        <translation>Nothing is connected here</translation>
    </message>
    <message>
        <source>描述：%1</source>
        <translation>Description: %1</translation>
    </message>
    <message>
        <source>制造商：%1</source>
        <translation>Manufacturer: %1</translation>
    </message>
    <message>
        <source>序列号：%1</source>
        <translation>Serial number: %1</translation>
    </message>
</context>
<context>
    <name>QtSerialControl</name>
    <message>
        <source>串口已打开</source>
        <translation>port is open</translation>
    </message>
    <message>
        <source>串口号 %1 无效</source>
        <translation>invalid port number %1</translation>
    </message>
    <message>
        <source>线路设置“%1”无效</source>
        <translation>invalid line settings &quot;%1&quot;</translation>
    </message>
    <message>
        <source>串口已经打开</source>
        <translation>port is already open</translation>
    </message>
    <message>
        <source>设备 %1 不存在</source>
        <translation>no device %1</translation>
    </message>
    <message>
        <source>串口没有打开</source>
        <translation>port is not open</translation>
    </message>
</context>
<context>
    <name>RateChange</name>
    <message>
        <source>更改波特率</source>
        <translation>Change baud rate</translation>
    </message>
    <message>
        <source>串口不能设为 %1 波特</source>
        <translation>The port cannot be set to %1 baud</translation>
    </message>
</context>
<context>
    <name>RateChangeDialog</name>
    <message>
        <source>更改波特率</source>
        <translation>Change baud rate</translation>
    </message>
    <message>
        <source>传感器：</source>
        <translation>Sensors:</translation>
    </message>
    <message>
        <source>新波特率(&amp;B)：</source>
        <translation>New &amp;baud rate:</translation>
    </message>
    <message>
        <source>新波特率写入每个传感器，串口改用新波特率后逐个读取确认；有传感器不回答时，串口回到原来的波特率。</source>
        <translation>The new rate is written into each sensor; the port then changes to it and reads each sensor to confirm. If a sensor does not answer, the port goes back to the old rate.</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RateChangePart</name>
    <message>
        <source>更改波特率…</source>
        <translation>Change baud rate…</translation>
    </message>
    <message>
        <source>“%1”没有可写的波特率寄存器，无法在本工具中更改它的波特率。</source>
        <translation>“%1” has no writable baud rate register; this tool cannot change its rate.</translation>
    </message>
    <message>
        <source>“%1”的型号资料没有波特率代码，无法在本工具中更改它的波特率。</source>
        <translation>The model data of “%1” has no rate codes; this tool cannot change its rate.</translation>
    </message>
    <message>
        <source>所选传感器的型号没有共同的波特率代码。</source>
        <translation>The chosen sensors&apos; models have no rate code in common.</translation>
    </message>
    <message>
        <source>地址 %1（%2）</source>
        <translation>Address %1 (%2)</translation>
    </message>
    <message>
        <source>更改波特率</source>
        <translation>Change baud rate</translation>
    </message>
    <message>
        <source>地址 %1 的传感器在断电重启后才使用新波特率 %2。请给传感器断电再上电，然后点“确认”以新波特率读取确认。</source>
        <translation>The sensors at address %1 use the new rate %2 only after a power cycle. Switch them off and on, then click “Confirm” to read them at the new rate.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>波特率已改为 %1：地址 %2 已在新波特率读取确认。</source>
        <translation>Baud rate changed to %1: address %2 confirmed by a read at the new rate.</translation>
    </message>
    <message>
        <source>地址 %1 未接受新波特率的写入</source>
        <translation>Address %1 did not take the write of the new rate</translation>
    </message>
    <message>
        <source>地址 %1 在 %2 波特时没有回答</source>
        <translation>Address %1 did not answer at %2 baud</translation>
    </message>
    <message>
        <source>地址 %1 已在 %2 波特回答</source>
        <translation>Address %1 answered at %2 baud</translation>
    </message>
    <message>
        <source>波特率没有全部更改，串口回到 %1 波特。</source>
        <translation>Not every sensor changed its rate; the port is back at %1 baud.</translation>
    </message>
</context>
<context>
    <name>ReadoutAge</name>
    <message numerus="yes">
        <source>%n 秒前</source>
        <translation>
            <numerusform>%n s ago</numerusform>
            <numerusform>%n s ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 分钟前</source>
        <translation>
            <numerusform>%n min ago</numerusform>
            <numerusform>%n min ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 小时前</source>
        <translation>
            <numerusform>%n hour ago</numerusform>
            <numerusform>%n hours ago</numerusform>
        </translation>
    </message>
    <message>
        <source>读数来自 %1（%2）</source>
        <translation>Read at %1 (%2)</translation>
    </message>
</context>
<context>
    <name>RecordingPart</name>
    <message>
        <source>开始记录…</source>
        <translation>Start recording…</translation>
    </message>
    <message>
        <source>停止记录</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>记录已停止：无法写入 %1（%2）</source>
        <translation>Recording stopped: cannot write %1 (%2)</translation>
    </message>
    <message>
        <source>温湿度记录-%1.csv</source>
        <translation>sensor-record-%1.csv</translation>
    </message>
    <message>
        <source>开始记录</source>
        <translation>Start recording</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>%1 已存在。新的记录接在原有内容之后，还是覆盖它？</source>
        <translation>%1 exists. Append the new rows to it, or overwrite it?</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Append</translation>
    </message>
    <message>
        <source>覆盖</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法开始记录 %1：%2</source>
        <translation>Cannot start recording %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>记录已结束：%1（%n 行）</source>
        <translation>
            <numerusform>Recording ended: %1 (%n row)</numerusform>
            <numerusform>Recording ended: %1 (%n rows)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>正在记录：%1（%n 行）</source>
        <translation>
            <numerusform>Recording: %1 (%n row)</numerusform>
            <numerusform>Recording: %1 (%n rows)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReplyFaultText</name>
    <message>
        <source>正常</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>无回复</source>
        <translation>No reply</translation>
    </message>
    <message>
        <source>不完整或过长</source>
        <translation>Incomplete or too long</translation>
    </message>
    <message>
        <source>地址或功能码不符</source>
        <translation>Wrong address or function</translation>
    </message>
    <message>
        <source>异常回复</source>
        <translation>Exception reply</translation>
    </message>
    <message>
        <source>CRC 错误</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>网关拒绝</source>
        <translation>Refused by gateway</translation>
    </message>
    <message>
        <source>原因：网关报告目标设备没有回应（异常码 %1）：检查网关串口侧的接线、波特率和传感器地址</source>
        <translation>Reason: the gateway reports that the target device failed to respond (exception code %1): check the wiring, the baud rate and the sensor address on the gateway&apos;s serial side</translation>
    </message>
    <message>
        <source>原因：没有收到回复</source>
        <translation>Reason: no reply arrived</translation>
    </message>
    <message numerus="yes">
        <source>原因：回复不完整或过长（收到 %n 字节）</source>
        <translation>
            <numerusform>Reason: the reply is incomplete or too long (%n byte arrived)</numerusform>
            <numerusform>Reason: the reply is incomplete or too long (%n bytes arrived)</numerusform>
        </translation>
    </message>
    <message>
        <source>原因：回复的地址或功能码与请求不符</source>
        <translation>Reason: the reply&apos;s address or function code does not match the request</translation>
    </message>
    <message>
        <source>原因：传感器返回异常码 %1</source>
        <translation>Reason: the sensor answered with exception code %1</translation>
    </message>
    <message>
        <source>原因：回复的 CRC 校验错误（线路干扰、接线或终端电阻问题）</source>
        <translation>Reason: the reply&apos;s CRC is wrong (interference, wiring or termination)</translation>
    </message>
    <message>
        <source>原因：网关拒绝，网关路径不可用（异常码 %1）：检查网关的串口和单元号设置</source>
        <translation>Reason: refused by the gateway, gateway path unavailable (exception code %1): check the gateway&apos;s serial port and unit id settings</translation>
    </message>
</context>
<context>
    <name>ScanDialog</name>
    <message>
        <source>地址范围：</source>
        <translation>Addresses:</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>Baud rates:</translation>
    </message>
    <message>
        <source> 毫秒</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>应答超时：</source>
        <translation>Reply timeout:</translation>
    </message>
    <message>
        <source>扫描进度</source>
        <translation>Scan progress</translation>
    </message>
    <message>
        <source>只发送读取请求，不会更改任何传感器。</source>
        <translation>Sends read requests only; no sensor is changed.</translation>
    </message>
    <message>
        <source>起始地址</source>
        <translation>First address</translation>
    </message>
    <message>
        <source>结束地址</source>
        <translation>Last address</translation>
    </message>
    <message>
        <source>至</source>
        <translation>to</translation>
    </message>
    <message>
        <source>扫描结果</source>
        <translation>Scan results</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>湿度</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>应答时间 (ms)</source>
        <translation>Reply time (ms)</translation>
    </message>
    <message>
        <source>开始扫描</source>
        <translation>Start scan</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>使用</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>全部监视</source>
        <translation>Watch all</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>请至少选择一个波特率。</source>
        <translation>Choose at least one baud rate.</translation>
    </message>
    <message>
        <source>起始地址不能大于结束地址。</source>
        <translation>The first address cannot be after the last.</translation>
    </message>
    <message>
        <source>无法开始扫描。</source>
        <translation>Cannot start the scan.</translation>
    </message>
    <message>
        <source>设备存在，异常码 %1</source>
        <translation>Device present, exception code %1</translation>
    </message>
    <message>
        <source>扫描中止：%1；%2</source>
        <translation>Scan aborted: %1; %2</translation>
    </message>
    <message>
        <source>扫描完成，%1。选中一行后点“使用”。</source>
        <translation>Scan complete, %1. Select a row and click “Use”.</translation>
    </message>
    <message>
        <source>扫描已取消，%1。</source>
        <translation>Scan cancelled, %1.</translation>
    </message>
    <message>
        <source>格式：</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>请至少选择一种格式。</source>
        <translation>Choose at least one format.</translation>
    </message>
    <message>
        <source>找到的传感器波特率或格式各不相同，且没有一个在串口当前的 %1：不能同时监视。</source>
        <translation>The sensors found differ in baud rate or format and none is at the port&apos;s %1: they cannot be watched together.</translation>
    </message>
    <message numerus="yes">
        <source>找到的传感器波特率或格式不同，不能同时监视；只监视串口当前 %1 的 %n 个。</source>
        <translation>
            <numerusform>The sensors found differ in baud rate or format and cannot be watched together; only the %n at the port&apos;s %1 is watched.</numerusform>
            <numerusform>The sensors found differ in baud rate or format and cannot be watched together; only the %n at the port&apos;s %1 are watched.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已询问 %1 / %2，剩余约 %3 秒，找到 %n 个</source>
        <translation>
            <numerusform>Asked %1 / %2, about %3 s left, %n found</numerusform>
            <numerusform>Asked %1 / %2, about %3 s left, %n found</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>找到 %n 个传感器</source>
        <translation>
            <numerusform>%n sensor found</numerusform>
            <numerusform>%n sensors found</numerusform>
        </translation>
    </message>
    <message>
        <source>传感器型号</source>
        <translation>Sensor model</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>未知（可能是：%1）</source>
        <translation>unknown (perhaps: %1)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source>网关报告 %n 个地址的设备没有回应（异常码 %1），按空地址计。</source>
        <translation>
            <numerusform>The gateway reported that the device at %n address failed to respond (exception code %1); counted as empty.</numerusform>
            <numerusform>The gateway reported that the devices at %n addresses failed to respond (exception code %1); counted as empty.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>网关拒绝了 %n 个地址：网关路径不可用（异常码 %1），检查网关的串口和单元号设置。</source>
        <translation>
            <numerusform>The gateway refused %n address: gateway path unavailable (exception code %1); check the gateway&apos;s serial port and unit id settings.</numerusform>
            <numerusform>The gateway refused %n addresses: gateway path unavailable (exception code %1); check the gateway&apos;s serial port and unit id settings.</numerusform>
        </translation>
    </message>
    <message>
        <source>同时监视找到的全部传感器（右键“%1…”）</source>
        <translation>Watch every sensor found at once (right click, “%1…”)</translation>
    </message>
</context>
<context>
    <name>SensorCatalogue</name>
    <message>
        <source>无法读取：%1</source>
        <translation>cannot be read: %1</translation>
    </message>
    <message>
        <source>本工具的传感器（&quot;%1&quot;）不能替换</source>
        <translation>the tool&apos;s own sensor (&quot;%1&quot;) cannot be replaced</translation>
    </message>
</context>
<context>
    <name>SensorCorrections</name>
    <message>
        <source>校正</source>
        <translation>corrections</translation>
    </message>
    <message>
        <source>传感器未回答校正值的读取</source>
        <translation>The sensor did not answer the read of its offsets</translation>
    </message>
    <message>
        <source>读回的校正值与写入的不同</source>
        <translation>The offset read back differs from the one written</translation>
    </message>
    <message>
        <source>传感器拒绝了校正值（异常码 %1）</source>
        <translation>The sensor refused the offset (exception code %1)</translation>
    </message>
    <message>
        <source>传感器未确认校正值的写入</source>
        <translation>The sensor did not confirm the write of the offset</translation>
    </message>
</context>
<context>
    <name>SensorExchange</name>
    <message>
        <source>模块地址未设置！</source>
        <translation>No module address set!</translation>
    </message>
    <message>
        <source>模块地址设置错误！</source>
        <translation>The module address is not valid!</translation>
    </message>
    <message>
        <source>参数设置错误！</source>
        <translation>The new address is not valid!</translation>
    </message>
    <message>
        <source>串口写入失败！</source>
        <translation>Writing to the port failed!</translation>
    </message>
    <message>
        <source>串口已断开！</source>
        <translation>The port is disconnected!</translation>
    </message>
    <message>
        <source>新地址 %1 无正确应答：地址更改未能确认</source>
        <translation>No valid reply at the new address %1: the address change is not confirmed</translation>
    </message>
    <message>
        <source>传感器型号“%1”的地址不能由本工具更改（拨码开关或厂家未公开）</source>
        <translation>The address of sensor model “%1” cannot be changed by this tool (DIP switches, or not published)</translation>
    </message>
    <message>
        <source>
地址写入是广播，有些传感器不回应广播：在新地址读取一次（或右键“%1…”）即可确认地址是否已更改</source>
        <translation>
The address write is a broadcast, and some sensors do not answer broadcasts: read once at the new address (or right click, “%1…”) to confirm the change</translation>
    </message>
</context>
<context>
    <name>SensorModelDialog</name>
    <message>
        <source>传感器型号</source>
        <translation>Sensor model</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>出厂线路</source>
        <translation>Factory line</translation>
    </message>
    <message>
        <source>地址更改</source>
        <translation>Address change</translation>
    </message>
    <message>
        <source>使用</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>重新读取型号文件</source>
        <translation>Reload the models file</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>SensorModelFile</name>
    <message>
        <source>不是有效的 JSON：%1</source>
        <translation>not valid JSON: %1</translation>
    </message>
    <message>
        <source>应为含 &quot;models&quot; 数组的对象</source>
        <translation>should be an object with a &quot;models&quot; list</translation>
    </message>
    <message>
        <source>型号应为对象</source>
        <translation>a model should be an object</translation>
    </message>
    <message>
        <source>型号 &quot;%1&quot; 在本文件中已有</source>
        <translation>model &quot;%1&quot; is already in this file</translation>
    </message>
    <message>
        <source>不认识的字段 &quot;%1&quot;</source>
        <translation>unknown field &quot;%1&quot;</translation>
    </message>
    <message>
        <source>缺少字段 &quot;%1&quot;</source>
        <translation>field &quot;%1&quot; is missing</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 应为%2</source>
        <translation>&quot;%1&quot; should be %2</translation>
    </message>
    <message>
        <source>数</source>
        <translation>a number</translation>
    </message>
    <message>
        <source>整数</source>
        <translation>a whole number</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 应在 %2 到 %3 之间</source>
        <translation>&quot;%1&quot; should be from %2 to %3</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>text</translation>
    </message>
    <message>
        <source>true 或 false</source>
        <translation>true or false</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 应为以下之一：%2</source>
        <translation>&quot;%1&quot; should be one of: %2</translation>
    </message>
    <message>
        <source>对象</source>
        <translation>an object</translation>
    </message>
    <message>
        <source>数组</source>
        <translation>a list</translation>
    </message>
    <message>
        <source>id 只能含小写字母、数字和 . _ -，且以字母或数字开头</source>
        <translation>an id holds only lower-case letters, digits and . _ -, and begins with a letter or a digit</translation>
    </message>
    <message>
        <source>至少要有 &quot;temperature&quot; 或 &quot;humidity&quot;</source>
        <translation>needs &quot;temperature&quot; or &quot;humidity&quot;</translation>
    </message>
    <message>
        <source>读取超出最后一个寄存器 %1</source>
        <translation>the read goes past the last register, %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 不在 &quot;read&quot; 读取的寄存器内</source>
        <translation>&quot;%1&quot; is not among the registers of &quot;read&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 应为 [最低, 最高]</source>
        <translation>&quot;%1&quot; should be [lowest, highest]</translation>
    </message>
    <message>
        <source>速率代码 &quot;%1&quot; 应为 0 到 %2 的整数</source>
        <translation>rate code &quot;%1&quot; should be a whole number from 0 to %2</translation>
    </message>
    <message>
        <source>&quot;frame&quot; 需要 &quot;rate&quot; 的 &quot;codes&quot;：帧里带速率代码</source>
        <translation>&quot;frame&quot; needs the &quot;codes&quot; of &quot;rate&quot;: the frame carries a rate code</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 应为 &quot;address&quot; 或 0 到 %2 的整数</source>
        <translation>&quot;%1&quot; should be &quot;address&quot; or a whole number from 0 to %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 应为 [第一个, 最后一个]，0 到 %2</source>
        <translation>&quot;%1&quot; should be [first, last], from 0 to %2</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 第 %2 行：%3</source>
        <translation>%1, line %2: %3</translation>
    </message>
</context>
<context>
    <name>SensorModelPart</name>
    <message>
        <source>传感器型号…</source>
        <translation>Sensor model…</translation>
    </message>
    <message>
        <source>传感器型号：%1</source>
        <translation>Sensor model: %1</translation>
    </message>
    <message>
        <source>传感器型号</source>
        <translation>Sensor model</translation>
    </message>
    <message>
        <source>“%1”出厂为 %2，当前线路为 %3。按 %2 重新设置串口吗？</source>
        <translation>“%1” comes set to %2; the line is %3. Set the port to %2?</translation>
    </message>
    <message>
        <source>按型号线路</source>
        <translation>Use the model&apos;s line</translation>
    </message>
    <message>
        <source>保持当前线路</source>
        <translation>Keep the current line</translation>
    </message>
    <message>
        <source>“%1”在断电重启后才使用新地址 %2。请给传感器断电再上电，然后点“确认”在新地址读取一次。</source>
        <translation>“%1” takes the new address %2 only after a power cycle. Switch the sensor off and on, then press “Confirm” to read it at the new address.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SensorScan</name>
    <message>
        <source>无法恢复线路参数 %1：%2</source>
        <translation>Cannot restore the line settings %1: %2</translation>
    </message>
    <message>
        <source>无法把串口设为 %1：%2</source>
        <translation>Cannot set the port to %1: %2</translation>
    </message>
</context>
<context>
    <name>SerialLine</name>
    <message>
        <source>其它错误</source>
        <translation>Other error</translation>
    </message>
    <message>
        <source>串口不存在！</source>
        <translation>The port does not exist!</translation>
    </message>
    <message>
        <source>串口已打开！</source>
        <translation>The port is already in use!</translation>
    </message>
    <message>
        <source>串口参数设置失败：%1</source>
        <translation>Setting the port failed: %1</translation>
    </message>
    <message>
        <source>打开串口失败：COM%1</source>
        <translation>Opening the port failed: COM%1</translation>
    </message>
</context>
<context>
    <name>SharedText</name>
    <message>
        <source>请先打开串口！</source>
        <translation>Open the port first!</translation>
    </message>
    <message>
        <source>%1正在使用串口，请先停止%1。</source>
        <translation>%1 is using the port; stop it first.</translation>
    </message>
    <message>
        <source>请先停止采集！</source>
        <translation>Stop acquisition first!</translation>
    </message>
    <message>
        <source>扫描传感器</source>
        <translation>Scan for sensors</translation>
    </message>
    <message>
        <source>多传感器监视</source>
        <translation>Bus watch</translation>
    </message>
    <message>
        <source>串口写入失败：%1</source>
        <translation>Writing to the port failed: %1</translation>
    </message>
</context>
<context>
    <name>StatisticsWindow</name>
    <message>
        <source>通讯统计</source>
        <translation>Line statistics</translation>
    </message>
    <message>
        <source>统计开始于</source>
        <translation>Counting since</translation>
    </message>
    <message>
        <source>已发送请求</source>
        <translation>Requests sent</translation>
    </message>
    <message>
        <source>正常回复</source>
        <translation>Replies accepted</translation>
    </message>
    <message>
        <source>拒收的回复</source>
        <translation>Replies refused</translation>
    </message>
    <message>
        <source>正常率</source>
        <translation>Good share</translation>
    </message>
    <message>
        <source>回复时间（最短 / 中位 / 最长）</source>
        <translation>Reply time (fastest / median / slowest)</translation>
    </message>
    <message>
        <source>重置(&amp;R)</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>%1 / %2 / %3 ms</source>
        <translation>%1 / %2 / %3 ms</translation>
    </message>
    <message numerus="yes">
        <source>%1 码 %n 次</source>
        <translation>
            <numerusform>code %1 × %n</numerusform>
            <numerusform>code %1 × %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TelnetComPort</name>
    <message>
        <source>子协商结束符前没有子协商</source>
        <translation>subnegotiation end without a subnegotiation</translation>
    </message>
    <message>
        <source>子协商过长</source>
        <translation>subnegotiation too long</translation>
    </message>
    <message>
        <source>子协商中出现无效命令 %1</source>
        <translation>invalid command %1 inside a subnegotiation</translation>
    </message>
    <message>
        <source>串口服务器的 Telnet 协商无效：%1</source>
        <translation>The serial server&apos;s Telnet negotiation is not valid: %1</translation>
    </message>
    <message>
        <source>串口服务器不支持 RFC 2217 串口控制</source>
        <translation>The serial server does not support RFC 2217 port control</translation>
    </message>
    <message>
        <source>串口服务器没有回应 RFC 2217 协商（它是否只做 TCP 原样转发？）</source>
        <translation>The serial server did not answer the RFC 2217 negotiation (does it only pass raw TCP?)</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>尚无读数：开始采集后，这里显示本次运行的读数</source>
        <translation>No readings yet: once acquisition runs, this run&apos;s readings show here</translation>
    </message>
    <message>
        <source>地址 %1，COM%2</source>
        <translation>Address %1, COM%2</translation>
    </message>
    <message>
        <source>地址 %1</source>
        <translation>Address %1</translation>
    </message>
</context>
<context>
    <name>TrendPart</name>
    <message>
        <source>趋势图</source>
        <translation>Trend</translation>
    </message>
</context>
<context>
    <name>TrendWindow</name>
    <message>
        <source>趋势图</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>温度和湿度趋势</source>
        <translation>Temperature and humidity trend</translation>
    </message>
    <message>
        <source>最近 10 分钟</source>
        <translation>Last 10 minutes</translation>
    </message>
    <message>
        <source>最近 1 小时</source>
        <translation>Last hour</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>Everything</translation>
    </message>
    <message>
        <source>显示范围</source>
        <translation>Time span</translation>
    </message>
    <message>
        <source>显示的传感器</source>
        <translation>Sensor shown</translation>
    </message>
    <message>
        <source>单点采集</source>
        <translation>Single poll</translation>
    </message>
    <message>
        <source>传感器：</source>
        <translation>Sensor:</translation>
    </message>
    <message>
        <source>显示范围：</source>
        <translation>Span:</translation>
    </message>
    <message>
        <source>监视地址 %1</source>
        <translation>Watched address %1</translation>
    </message>
</context>
<context>
    <name>WatchTableModel</name>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>湿度</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>最近结果</source>
        <translation>Last verdict</translation>
    </message>
    <message>
        <source>最近正常读数</source>
        <translation>Last good reading</translation>
    </message>
    <message>
        <source>正常率</source>
        <translation>Good share</translation>
    </message>
    <message>
        <source>回复时间中位数 (ms)</source>
        <translation>Median reply (ms)</translation>
    </message>
    <message numerus="yes">
        <source>无回复（已 %n 轮）</source>
        <translation>
            <numerusform>No reply (%n round)</numerusform>
            <numerusform>No reply (%n rounds)</numerusform>
        </translation>
    </message>
    <message>
        <source>传感器型号</source>
        <translation>Sensor model</translation>
    </message>
</context>
<context>
    <name>frmmain</name>
    <message>
        <source>地址写入以广播（地址 0）发出：线上的每个传感器都会改用新地址。请只接上要更改的那一个传感器</source>
        <translation>The address write is a broadcast (address 0): every sensor on the line takes the new address. Connect only the one to change</translation>
    </message>
    <message>
        <source>无法保存设置文件 com.txt：%1</source>
        <translation>Cannot save the settings file com.txt: %1</translation>
    </message>
    <message>
        <source>无法打开浏览器 %1</source>
        <translation>No browser for %1</translation>
    </message>
    <message>
        <source>系统没有能打开网址的程序，或它未能启动</source>
        <translation>The system has no program for web addresses, or it did not start</translation>
    </message>
    <message>
        <source>地址已更改为 %1，并已在新地址读取确认</source>
        <translation>The address is now %1, confirmed by a read at the new address</translation>
    </message>
    <message>
        <source>%1 的读取请求：%2</source>
        <translation>%1&apos;s read request: %2</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>地址或波特率不明时，可右键选择“%1…”（Ctrl+F）</source>
        <translation>Address or baud rate unknown? Right click, “%1…” (Ctrl+F)</translation>
    </message>
</context>
</TS>
