#pragma once
// The stamp files shared by the main window and the gallery: the category
// folder, the path last shown in each of the nine gallery slots, and the slot
// clicked last.

#include <QString>
#include <array>
#include <cstdint>

namespace garabix {

struct StampSelection {
    QString stampFolder;
    std::array<QString, 9> stampFiles;
    uint8_t stampIndex = 0;

    QString current() const {
        return stampIndex < stampFiles.size() ? stampFiles[stampIndex] : QString();
    }
};

} // namespace garabix
