#pragma once

#include <QByteArray>
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// The program always runs with an application object, so the fuzz targets do too.
inline void startApplication(int *argc, char ***argv) {
    static QCoreApplication application(*argc, *argv);
}

// Stops the run when a property of the code does not hold; libFuzzer keeps the input.
inline void require(bool holds, const char *property) {
    if (holds)
        return;
    std::fprintf(stderr, "Broken property: %s\n", property);
    std::abort();
}

inline QByteArray bytesOf(const std::uint8_t *data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace fuzz
