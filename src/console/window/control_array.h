// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <map>

// Controls addressed by index, as in Combo_Addr(2); indices need not be contiguous.
template <typename Control> class ControlArray {
public:
    void set(int index, Control* control) { members_[index] = control; }
    Control* operator()(int index) const {
        const auto found = members_.find(index);
        Q_ASSERT(found != members_.end());
        return found->second;
    }

private:
    std::map<int, Control*> members_;
};
