// A fresh folder under the temporary directory, removed with everything in it at the end.
#pragma once
#include <string>

class TempFolder {
public:
    TempFolder();
    // A fresh folder under base (a directory without trailing backslash) instead.
    explicit TempFolder(const std::wstring& base);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path, without a trailing backslash.
    const std::wstring& Path() const { return path_; }

    // Creates a sub-folder (and its parents) and returns its full path.
    std::wstring MakeFolder(const std::wstring& relative) const;

    // Creates nested sub-folders so that the innermost one's full path has exactly length units.
    std::wstring MakeFolderOfLength(size_t length) const;

    // Creates a file with the given bytes and returns its full path.
    std::wstring MakeFile(const std::wstring& relative, const std::string& bytes) const;

private:
    std::wstring path_;
};

// Everything in a file, or "" when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

bool FileExists(const std::wstring& path);
