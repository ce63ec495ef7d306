#pragma once

#include "tools/ToolLocator.h"

// The tool lookups against this machine: the environment, the home directory and the resource directory.

// access(X_OK) on a regular file; directories are rejected.
bool isExecutableFile(const QString &path);
// Any kind of entry, including a dangling symbolic link.
bool pathExists(const QString &path);

std::optional<QString> findFFmpeg();
ToolLookup<EffectRender> findEffectRender();
ToolLookup<SpeechEngine> findSpeechEngine();
