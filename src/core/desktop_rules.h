// Decisions about the desktop's logon session that do not need the window system: which session
// Morvex runs in, and the quiet command lines that make its drives there too.
#pragma once
#include <cstddef>

// An administrator's log-on under UAC has two logon sessions, each with its own drive letters:
// the desktop's, and the one of programs run as administrator.
enum class SessionKind {
    Same,                    // the desktop's own: UAC off, a standard user, a program not elevated
    ElevatedBesideDesktop,   // elevated, the same user, another logon session: drives go to both
    OtherUser,               // elevated with another account's password: the desktop is not ours
    NoShell,                 // no shell window, or its token could not be read
};

// What the tokens of Morvex and of the desktop shell's process say.
struct SessionFacts {
    bool shellRead;          // the shell's process and token could be read
    bool sameUser;
    bool sameLogonSession;   // the tokens' AuthenticationId
    bool elevated;           // Morvex's own token
};

SessionKind ClassifySession(const SessionFacts& facts);

// TOKEN_ELEVATION_TYPE's TokenElevationTypeLimited: an administrator's filtered token under UAC,
// the one case where Morvex can offer to make its drives for programs run as administrator.
constexpr int kElevationTypeLimited = 3;

// Appends a blank and the argument as CommandLineToArgvW reads it back: quoted, the backslashes
// before the closing quote doubled. False (and nothing appended) when it does not fit or holds a
// quote, which no path can.
bool AppendArgument(wchar_t* line, size_t capacity, const wchar_t* argument);

// The arguments of the quiet one-shot that repeats a define ("/q X: "dir"") or, for a null
// directory, a removal ("/q /d X:"). False when they do not fit.
bool BuildMirrorArguments(wchar_t letter, const wchar_t* directory, wchar_t* arguments, size_t capacity);

// The log-on run's arguments: one run re-creates every saved drive.
inline constexpr wchar_t kQuietStartupArguments[] = L"/startup /q";

// The quoted program and its arguments, as a process's command line.
bool BuildCommandLine(const wchar_t* program, const wchar_t* arguments, wchar_t* line, size_t capacity);
