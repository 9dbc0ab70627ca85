// A file of the disk named in a style sheet.
#pragma once

#include <QString>

// "url(\"<path>\")" for a style sheet: the path quoted, with backslash, double quote and
// line breaks escaped, so that Qt reads any folder name back as written (unquoted, a
// quote, a backslash or a non-ASCII letter makes the whole sheet unparsable).
QString styleSheetUrl(const QString &path);
