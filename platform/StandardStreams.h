// The three standard streams as the program finds them at start.
#pragma once

// Makes standard input, output and error safe to use whatever the program was started
// with. A descriptor among 0, 1 and 2 that is closed is opened on /dev/null: otherwise
// the first file the program opens takes its number (the X connection, say), and the
// log's echo would write into it. A standard output whose reader is gone (a pipe into
// "head") ends the program with SIGPIPE at its next write; that signal is ignored, so
// such a write only fails. A pipe whose reader stops reading would hold every thread
// that logs once it is full; it is written without waiting, so what does not fit is
// dropped. Called first thing in main, before anything opens a file.
void protectStandardStreams();
