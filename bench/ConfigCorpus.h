#pragma once
// The config.cfg files the benchmarks read: one realistic file in the game's own style,
// and large files made of that file's lines repeated, with CR LF or LF line ends.

#include "config/SettingsView.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::bench {

// The lines of a realistic config.cfg, without their ends: a comment line, the key
// bindings, then `seta name "value"` lines in alphabetical order, the twenty settings
// the program shows among several hundred others, all of them on lines 1 to 548.
const std::vector<std::string>& RealisticLines();

// What loading the realistic file gives (title and all 22 controls), or an
// explanation of the first difference; empty when the view is as expected.
std::string CheckRealisticView(const SettingsView& view);

// The realistic lines once, each ended by lineEnd.
std::string JoinLines(std::string_view lineEnd);

enum class LineEnd { CrLf, Lf };

struct CorpusFile {
    std::string name;            // e.g. "lf_10mb"
    LineEnd lineEnd;
    std::uint64_t targetBytes;   // at least this many bytes, in whole copies of the lines
};

// The realistic file itself (LF-ended, so that its lines reach the scan), then the
// scaling files: 1, 10 and 100 MiB, CR LF-ended and LF-ended.
const std::vector<CorpusFile>& CorpusFiles();

// Where the game would be installed for a corpus file: the benchmark's registry
// hands this folder out as "InstallPath".
std::string InstallFolder(const std::string& dataDir, const CorpusFile& file);

// The name the load sequence opens: InstallPath + "\players\config.cfg". Outside
// Windows a backslash is an ordinary character of a file name, so this is one file
// called "<name>\players\config.cfg" directly inside dataDir.
std::string ConfigFileName(const std::string& dataDir, const CorpusFile& file);

// Bytes and lines the file will hold, and its longest record including the CR that ends it.
std::uint64_t FileBytes(const CorpusFile& file);
std::uint64_t FileLines(const CorpusFile& file);
std::uint64_t LongestRecordBytes(const CorpusFile& file);

// How many lines loading the file gives: an LF-ended file is one record cut at every
// LF; of a CR LF-ended file only the last record, one line, is kept.
std::uint64_t LoadedLineCount(const CorpusFile& file);

// Writes the file in pieces of one copy of the lines; false on a write error.
bool WriteCorpusFile(const std::string& dataDir, const CorpusFile& file);

}  // namespace quorvane::bench
