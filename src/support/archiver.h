#pragma once
// The 7-Zip console archiver's success test. The wizard's command forms are in
// engine/archive_commands.h.
#include <string>

namespace velk {

// True when the archiver reported success: the last four characters, first two kept and
// trimmed, are "Ok"; or the line "Everything is Ok" is followed only by blank lines and the
// summary lines today's 7-Zip prints after an extraction (Folders:, Files:, Size:, Compressed:).
bool SevenZipOk(const std::string& commandOutput);
// The first half alone: the last four characters (all of a shorter text), first two kept and
// trimmed of blanks, equal "Ok". True for an output whose last line ends in "Ok" and CR LF.
bool OkInLastFour(const std::string& commandOutput);

}  // namespace velk
