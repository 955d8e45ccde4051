#pragma once
// The program's own version and the update information that the maker publishes: one release a
// line, "major.minor.build yyyymmdd link", read from untrusted text and compared with this program.
#include <istream>
#include <ostream>
#include <string>
#include <vector>

// This program: version 3.3.7, released 2016-11-23.
constexpr int QuorLogVersionMajor = 3;
constexpr int QuorLogVersionMinor = 3;
constexpr int QuorLogVersionBuild = 7;
constexpr int QuorLogReleaseYear = 2016;
constexpr int QuorLogReleaseMonth = 11;
constexpr int QuorLogReleaseDay = 23;

// The calendar date of a release: years since 1900, month 0 to 11, day of the month.
struct UpdateInfoDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// One release of the update information.
struct UpdateInfoEntry {
    int major = 0;
    int minor = 0;
    int build = 0;
    UpdateInfoDate date;
    std::string link;
};

// Reads "major.minor.build" from the stream; throws std::runtime_error "missing first dot" or
// "missing second dot" when a dot is not where it belongs.
void ReadVersionNumber(std::istream& in, UpdateInfoEntry& version);
// Writes "major.minor.build".
void write_version(std::wostream& out, const UpdateInfoEntry& version);
// The version as text ("3.4.0").
std::wstring VersionText(const UpdateInfoEntry& version);

// Fills `entries` from the reply, one entry a line: the version, an eight-digit date and the link as
// the next word. Lines that hold nothing but blanks are skipped and a carriage return at the end of a
// line is dropped; any other line whose version is malformed throws (see ReadVersionNumber).
void ReadUpdateInfo(std::istream& reply, std::vector<UpdateInfoEntry>& entries);

// True when `a` is a later version than `b` (major, then minor, then build, as numbers).
bool IsNewerVersion(const UpdateInfoEntry& a, const UpdateInfoEntry& b);
// The index of the newest entry that is newer than this program (the first of equal ones), or -1.
int FindNewestUpdate(const std::vector<UpdateInfoEntry>& entries);

// The text of the answer to an update check, as markup for a link label: message 262 when there is
// nothing newer, otherwise message 265 with the version and the link. The link is escaped and made
// a link only for the http and https schemes.
std::wstring UpdateAnswerText(const std::vector<UpdateInfoEntry>& entries);
// True when `link` may be opened from an update answer: an http or https address.
bool IsOpenableUpdateLink(const std::wstring& link);
