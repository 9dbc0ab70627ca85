// Where the run-time files (DefaultFile/, photo/, audio/) live.
#pragma once

#include <QString>

// The folder holding DefaultFile/, photo/ and audio/: the program's own folder when they
// lie beside it (the build tree, an unpacked copy), else the data folder the install laid
// out relative to the program (bin/../share/tonewright). When neither holds them, the
// program's folder, so that what is missing is reported against the place it was looked for.
QString runtimeFilesFolder();

// The udev rule that opens the headset to the logged-in user, as shipped with this
// program: the source tree's when the program runs from its build folder, else the
// copy its install laid out.
QString udevRuleFile();

// True when the rule file lies in a folder udev reads rules from (/etc/udev/rules.d,
// /run/udev/rules.d, /usr/local/lib/udev/rules.d, /usr/lib/udev/rules.d, /lib/udev/rules.d),
// so that udev only has to reload its rules to apply it.
bool udevReadsRuleFile(const QString &ruleFile);
