#pragma once

#include <QString>

// The About box's informative text for a libVLC version string (null or empty when libVLC gives none).
QString aboutText(const char *libvlcVersion);
