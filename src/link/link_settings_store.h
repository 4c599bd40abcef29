// SPDX-License-Identifier: MIT
#pragma once

#include "link_settings.h"

#include <QString>

// com.txt in the settings folder: read at start, written at close.
class LinkSettingsStore {
public:
    // An empty folder means the working directory.
    explicit LinkSettingsStore(const QString& folder);

    const QString& folder() const { return folder_; }
    // Never fails: an unusable file gives the defaults with a reason.
    LinkSettings load() const;
    // Replaces the file in one step; false with *error set when it cannot.
    bool save(int portNumber, const QString& baudText, QString* error) const;

private:
    QString path() const;

    QString folder_;
};
