// SPDX-License-Identifier: MIT
#include "pty_link.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

PtyLink::~PtyLink() {
    closeMaster();
    if (farEnd_ >= 0)
        ::close(farEnd_);
    if (!link_.empty())
        ::unlink(link_.c_str());
}

bool PtyLink::open(const std::string& folder, int port, std::string* error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        *error = std::string("pseudo-terminal: ") + std::strerror(errno);
        if (master >= 0)
            ::close(master);
        return false;
    }
    device_ = ::ptsname(master);
    farEnd_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY);
    if (farEnd_ < 0) {
        *error = "open far end: " + std::string(std::strerror(errno));
        ::close(master);
        return false;
    }
    termios raw{};
    ::tcgetattr(farEnd_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(farEnd_, TCSANOW, &raw);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    const std::string link = folder + "/COM" + std::to_string(port);
    struct stat existing {};
    if (::lstat(link.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode))
        ::unlink(link.c_str());
    if (::symlink(device_.c_str(), link.c_str()) != 0) {
        *error = "cannot create " + link + ": " + std::strerror(errno);
        ::close(master);
        return false;
    }
    link_ = link;
    master_ = master;
    return true;
}

void PtyLink::closeMaster() {
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}
