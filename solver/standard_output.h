// standard_output.h: standard output that cannot be written (a full disk behind a
// redirection) is reported once on the standard error stream, and the run ends with exit
// code 1.
#pragma once

// Flushes standard output; true, after the report, when it failed now or before.
bool standardOutputFailed();
