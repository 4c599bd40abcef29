// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

class SerialControl;
class MessageSink;
class WebLauncher;
class SerialDevices;
class PortMapping;

// The platform as the window reaches it; tests hand in fakes.
struct Services {
    SerialControl& port;
    MessageSink& messages;
    WebLauncher& web;
    const SerialDevices& devices;
    std::function<void(int)> sleep;
    QString settingsFolder;         // where com.txt lives; the working directory if empty
    PortMapping* mapping = nullptr; // where port numbers go to serial servers, if anywhere
};
