// The command-line grammar: what each argument means and which operation the whole line asks for.
#pragma once

enum class ArgumentKind {
    StartupSwitch,   // "/startup" or "-startup", any case
    DeleteSwitch,    // "/d" or "-D"
    QuietSwitch,     // "/q": no boxes, failures in the exit status and on standard error
    ListSwitch,      // "/l"
    UsageSwitch,     // "/?"
    OtherSwitch,     // any other argument starting with '/' or '-'
    DriveLetter,     // "X", "X:" or "X:\"
    DirectoryPath,   // anything else that starts with a letter
    Ignored,         // anything else (UNC paths, ".", empty arguments)
};

// Classifies one argument; for DriveLetter, *letter receives the upper-cased letter.
ArgumentKind ClassifyArgument(const wchar_t* argument, wchar_t* letter);

struct ParsedCommandLine {
    wchar_t letter = 0;              // last drive letter given, 0 for none
    const wchar_t* path = nullptr;   // first directory path given, points into the arguments
    bool startup = false;
    bool remove = false;
    bool quiet = false;
    bool list = false;
    bool usage = false;
};

// Classifies arguments[1] .. arguments[count - 1]; arguments[0] names the program. A quote ends a
// letter or directory argument where it stands (a terminator is written over it), and what follows
// it is read as further arguments, split at blanks and tabs.
ParsedCommandLine ParseArguments(int count, wchar_t* const* arguments);

enum class CommandAction {
    ShowUsage,     // "/?", whatever else the line holds
    ListDrives,    // "/l" without "/?"
    RemoveDrive,   // delete switch with a letter
    DefineDrive,   // a letter and a path without the delete switch
    RunStartup,    // start-up switch, nothing above applied
    ShowDialog,    // nothing formed a complete operation
    NoOperation,   // the same with "/q": a script waits for no dialog
};

CommandAction ChooseCommandAction(const ParsedCommandLine& parsed);

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitNoOperation = 2;

// Without "/q" a one-shot run ends with 0 whatever happened, as scripts written before it expect.
int ExitStatusOf(CommandAction action, bool quiet, bool succeeded);

// False when the command line names the program alone, as CommandLineToArgvW splits it (the
// program quoted or up to the first blank or tab, then nothing but blanks and tabs): the dialog
// then opens without the shell's library being loaded to split it.
bool HasArguments(const wchar_t* commandLine);
