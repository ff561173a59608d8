// The manifest of the shipped Morvex.exe, read back from its RT_MANIFEST resource: the rights
// it asks for, the Windows versions it declares, and the build's own architecture.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/program_runner.h"

namespace {

std::string ShippedManifest()
{
    HMODULE program = LoadLibraryExW(MorvexExecutable().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (program == nullptr)
        return "";
    std::string text;
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (found != nullptr) {
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
        if (bytes != nullptr)
            text.assign(bytes, SizeofResource(program, found));
    }
    FreeLibrary(program);
    return text;
}

// The start tags named name, each from "<name" to its ">".
std::vector<std::string> StartTags(const std::string& xml, const std::string& name)
{
    std::vector<std::string> tags;
    const std::string opening = "<" + name;
    for (size_t at = xml.find(opening); at != std::string::npos; at = xml.find(opening, at + 1)) {
        size_t end = xml.find('>', at);
        char next = xml[at + opening.size()];
        if (end != std::string::npos && (next == ' ' || next == '/' || next == '>' || next == '\n'))
            tags.push_back(xml.substr(at, end - at + 1));
    }
    return tags;
}

// The first element named name with its content, or "".
std::string Element(const std::string& xml, const std::string& name)
{
    std::vector<std::string> tags = StartTags(xml, name);
    if (tags.empty())
        return "";
    size_t begin = xml.find(tags[0]);
    size_t end = xml.find("</" + name + ">", begin);
    return end == std::string::npos ? tags[0] : xml.substr(begin, end - begin);
}

std::string Attribute(const std::string& tag, const std::string& name)
{
    const std::string opening = " " + name + "=\"";
    size_t at = tag.find(opening);
    if (at == std::string::npos)
        return "(none)";
    at += opening.size();
    return tag.substr(at, tag.find('"', at) - at);
}

class ManifestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        manifest_ = ShippedManifest();
        ASSERT_FALSE(manifest_.empty()) << "no manifest in the program under test";
    }

    std::string manifest_;
};

TEST_F(ManifestTest, RunsWithTheRightsOfWhoeverStartsIt)
{
    std::string trust = Element(manifest_, "trustInfo");
    std::vector<std::string> levels = StartTags(Element(trust, "requestedPrivileges"), "requestedExecutionLevel");
    ASSERT_EQ(levels.size(), 1u) << trust;
    EXPECT_EQ(Attribute(levels[0], "level"), "asInvoker");
    EXPECT_EQ(Attribute(levels[0], "uiAccess"), "false");
}

TEST_F(ManifestTest, DeclaresEveryWindowsFromVistaOn)
{
    const std::set<std::string> expected = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    std::set<std::string> declared;
    for (const std::string& tag : StartTags(Element(manifest_, "compatibility"), "supportedOS"))
        declared.insert(Attribute(tag, "Id"));
    EXPECT_EQ(declared, expected);
}

TEST_F(ManifestTest, NamesTheBuildsArchitectureAndKeepsTheCommonControls)
{
#ifdef _WIN64
    const std::string architecture = "amd64";
#else
    const std::string architecture = "x86";
#endif
    std::vector<std::string> identities = StartTags(manifest_, "assemblyIdentity");
    ASSERT_EQ(identities.size(), 2u) << manifest_;
    EXPECT_EQ(Attribute(identities[0], "name"), "Morvex");
    EXPECT_EQ(Attribute(identities[0], "processorArchitecture"), architecture);

    std::vector<std::string> dependencies =
        StartTags(Element(Element(manifest_, "dependency"), "dependentAssembly"), "assemblyIdentity");
    ASSERT_EQ(dependencies.size(), 1u);
    EXPECT_EQ(Attribute(dependencies[0], "name"), "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(Attribute(dependencies[0], "version"), "6.0.0.0");
}

// Without the declaration Windows stretches the dialog's bitmap on scaled displays.
TEST_F(ManifestTest, DeclaresPerMonitorDpiAwareness)
{
    std::string settings = Element(manifest_, "windowsSettings");
    std::string dpiAware = Element(settings, "dpiAware");
    std::string dpiAwareness = Element(settings, "dpiAwareness");
    EXPECT_EQ(dpiAware.substr(dpiAware.find('>') + 1), "true/pm") << settings;
    EXPECT_EQ(dpiAwareness.substr(dpiAwareness.find('>') + 1), "PerMonitorV2, PerMonitor") << settings;
}

}  // namespace
