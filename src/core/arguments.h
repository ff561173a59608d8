// The command-line grammar: what each argument means and which operation the whole line asks for.
#pragma once

enum class ArgumentKind {
    StartupSwitch,   // "/startup" or "-startup", any case
    DeleteSwitch,    // "/d" or "-D"
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
};

// Classifies arguments[1] .. arguments[count - 1]; arguments[0] names the program.
ParsedCommandLine ParseArguments(int count, const wchar_t* const* arguments);

enum class CommandAction {
    RemoveDrive,   // delete switch with a letter
    DefineDrive,   // a letter and a path without the delete switch
    RunStartup,    // start-up switch, nothing above applied
    ShowDialog,    // nothing formed a complete operation
};

CommandAction ChooseCommandAction(const ParsedCommandLine& parsed);

// False when the command line names the program alone, as CommandLineToArgvW splits it (the
// program quoted or up to the first blank or tab, then nothing but blanks and tabs): the dialog
// then opens without the shell's library being loaded to split it.
bool HasArguments(const wchar_t* commandLine);
