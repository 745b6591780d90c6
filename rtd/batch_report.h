// batch_report.h: the batch form's messages on the error stream.
#pragma once

#include <string>

// Writes each line of message as "rtd: LINE".
void report(const std::string& message);
