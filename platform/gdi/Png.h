// PNG files of surfaces (screenshots, test output).
#pragma once

#include <memory>
#include <string>

#include "platform/gdi/Surface.h"

// Writes the `area` of the surface (clipped to it) as an opaque 8-bit RGB PNG; false on failure.
bool WritePng(const TSurface& surface, const RECT& area, const std::string& path);
// Reads a PNG into a new surface (alpha kept); nullptr when the file is missing or not a PNG.
std::unique_ptr<TSurface> ReadPng(const std::string& path);
