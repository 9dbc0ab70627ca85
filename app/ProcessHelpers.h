// Process and window helpers the program offers beside its own start-up.
#pragma once

#include <QJsonObject>
#include <QString>

// Empty for an empty object, else the object as compact JSON.
QString jsonObjectToText(const QJsonObject &object);

// The id of the first process (lowest id) whose executable file name equals exeName
// exactly; 0 when none does; -1 (after a note on standard output) when the process
// list cannot be read.
int findProcessIdByExeName(const QString &exeName);

// The parent of process pid; -1 when it cannot be read.
int getParentProcessId(int pid);

// Single-instance check by a named marker: false when this process now holds the marker
// semaphoreName (kept for the life of the process). Otherwise brings forward the first
// top-level window carrying the property propertyName (and its pop-up), and returns true.
bool activateInstanceByWindowProperty(const QString &semaphoreName, const QString &propertyName);

// Single-instance check by the marker "Sample07": when another process holds it, shows the
// window titled "Sample07" normally, below keep-above windows, and flashes it. Always 0.
int activateInstanceByMutex();
