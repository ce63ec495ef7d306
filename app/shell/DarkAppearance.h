#pragma once

// Fusion style with a dark palette for the whole application; call before any widget is built.
void applyDarkAppearance();
