// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// A raw pseudo-terminal whose far end is published as the link folder/COMn, for the tool to
// open as COMn. The far end is also held open here, which keeps the pseudo-terminal alive
// between the tool's opens. The link is removed when this ends.
class PtyLink {
public:
    PtyLink() = default;
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;
    ~PtyLink();

    // False with *error set when the pseudo-terminal or the link cannot be made. A stale
    // link of that name is replaced.
    bool open(const std::string& folder, int port, std::string* error);
    // This side of the line, non-blocking; -1 when not open.
    int master() const { return master_; }
    // The far end as this process holds it open: its line settings are the port's.
    int farEnd() const { return farEnd_; }
    const std::string& device() const { return device_; }
    const std::string& link() const { return link_; }
    // Hangs up this side; the far end sees the line go.
    void closeMaster();

private:
    int master_ = -1;
    int farEnd_ = -1;
    std::string device_;
    std::string link_;
};
