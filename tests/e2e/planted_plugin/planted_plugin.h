#pragma once
// A toolkit plugin as an archive could plant it beside the executable: when
// any program loads it, it appends its kind to the file named by
// PLANTED_PLUGIN_MARKER. It does nothing else.
#include <cstdio>
#include <cstdlib>

#include <QObject>

#define PLANTED_PLUGIN_MARK(kind)                                              \
    __attribute__((constructor)) static void plantedPluginLoaded()             \
    {                                                                          \
        if (const char *marker = std::getenv("PLANTED_PLUGIN_MARKER")) {       \
            if (std::FILE *file = std::fopen(marker, "a")) {                   \
                std::fputs(kind "\n", file);                                   \
                std::fclose(file);                                             \
            }                                                                  \
        }                                                                      \
    }
