// The user's base folders as the XDG base-directory rules define them.
#pragma once

#include <QString>

// The folder the variable names, when it is an absolute path; empty when it is unset,
// empty or relative (the rules say a relative path is invalid and to be ignored, and
// taken as it is it would point into whatever the working folder happens to be).
QString xdgFolderFromEnvironment(const char *variable);

// The folder the variable names, or, when it names none, homeDefault under the home
// folder (".config" for XDG_CONFIG_HOME, ".cache" for XDG_CACHE_HOME, ...).
QString xdgBaseFolder(const char *variable, const QString &homeDefault);

// Unsets each base-folder variable (XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME,
// XDG_STATE_HOME, XDG_RUNTIME_DIR) that names no folder, so that the libraries of the
// process (Qt's, the sound server's client) fall back to the defaults as well instead of
// making folders under the working folder. Called first thing in main.
void dropInvalidXdgFolders();
