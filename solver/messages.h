// messages.h: every German text of kubo_puzzle_erg, each written once: what its runs print
// on the standard output and error streams, the usage text, and the reasons it gives for a
// failure. Texts that are whole lines end with their line feed.
#pragma once

#include <cstdint>
#include <string>

#include "solver/assembly_tally.h"
#include "solver/table_check.h"

// The call: the usage text, and an invalid call's complaint followed by it.
std::string usageText(int defaultThreads, int maxThreads);
std::string invalidCallText(const std::string& why, int defaultThreads, int maxThreads);
// Why a call is invalid, one sentence each.
std::string optionsTogetherText(const char* option, const char* other);
std::string optionRepeatedText(const char* option);
std::string threadCountMissingText();
std::string threadCountInvalidText(const std::string& count, int maxThreads);
std::string unknownArgumentText(const std::string& argument);

// A German reason for a failure of the file system, an errno value or notARegularFile
// ("Der Datenträger ist voll"), to go after a colon.
std::string fileErrorText(int error);
std::string standardOutputFailedText(int error);
// Asks for a key before the console closes on the message above it.
std::string pressKeyText();

// The solve.
std::string solveHeadingText(int threads, const std::string& where);
std::string tableBusyText(const std::string& where);
std::string tableNotCreatedText(const std::string& where, int error);
// The write failed after recordsWritten whole records.
std::string tableNotWrittenText(const std::string& where, int error, uint64_t recordsWritten);
std::string solveCancelledText(uint64_t recordsWritten);
std::string solveFinishedText(uint64_t records, double seconds, uint64_t nodes);

// The parts of the progress line: the share done, the solutions so far, the time gone and,
// when remaining is not negative, the time still to go (else empty).
enum class ProgressKind { searched, read, planned };
struct ProgressTexts {
    std::string done, solutions, elapsed, remaining;
};
ProgressTexts progressTexts(ProgressKind kind, double share, uint64_t solutions, double elapsed, double remaining);

// Reading a whole table (the check and the statistics).
std::string tableNotReadableText(const std::string& path, int error);
std::string tableNotReadCompletelyText(const std::string& path);
std::string tableBeingWrittenText(const std::string& path);
std::string tableChangedWhileReadText(const std::string& path, uint64_t bytesBefore, uint64_t bytesAfter);
// A fault of one record ("Datensatz 17: Teil 3 fehlt."), without a line feed.
std::string faultText(const CheckFault& fault);
std::string moreFaultsText(uint64_t more);
std::string recordCountText(uint64_t records, uint64_t bytes);
std::string tornRecordText(uint64_t bytes);
std::string faultyVerdictText(const TableChecker& checker, bool tornRecord);
std::string incompleteVerdictText(uint64_t records, uint64_t completeRecords);

// The check (-p).
std::string checkHeadingText(const std::string& path);
std::string soundVerdictText();

// The statistics (--stats).
std::string statsHeadingText(const std::string& path);
std::string statsFiguresText(const AssemblyTally& tally);
