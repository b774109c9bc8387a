#include "FlowFixture.h"

#include "container/ExtraString.h"

#include <filesystem>

FlowFixture::FlowFixture()
{
    FSettings.TempPath = FDir.File("SV_Work");
    std::filesystem::create_directory(FSettings.TempPath);
    FSettings.DefaultCurrentDirectory = FDir.Path();
    FSettings.ExploreAfterExtract = true;
    FSettings.ExtractAllInSubdir = true;
}

IContainerWindow& FlowFixture::CreateContainerWindow()
{
    FWindows.push_back(std::make_unique<TestWindow>(
        FUser, [this](IContainerWindow& window) { return FCommands.Flows().CloseContainerWindow(window); }));
    FSession.AddWindow(*FWindows.back());
    return *FWindows.back();
}

void FlowFixture::MakeMessage(const std::string& file, const std::string& password,
                              const std::vector<std::pair<std::string, std::string>>& files, const std::string& memo)
{
    MakeContainer(file, password, files, memo);
    TRandomCryptoContainer container(password);
    container.Open(file);
    container.SetExtra(TExtraString(true).Serialize());
    container.Close();
}

TestWindow& FlowFixture::OpenedWindow(const std::string& fileName, const std::string& password)
{
    FUser.ExpectPassword(ScriptedQuestions::Kind::Password, "Password", FSession.RememberedPassword(), password);
    FCommands.OpenContainerFile(nullptr, fileName);
    return *FWindows.back();
}

std::pair<std::string, std::multiset<std::string>> FlowFixture::Contents(const std::string& fileName,
                                                                         const std::string& password)
{
    TRandomCryptoContainer container(password);
    const TCatalog& catalog = container.OpenReadOnly(fileName);
    std::multiset<std::string> entries;
    for (int index = 0; index < catalog.Count(); ++index) {
        container.ExtractFileTo(index, FDir.File("extracted"));
        entries.insert(catalog.Item(index)->FPath.FileName() + "=" + ReadWholeFile(FDir.File("extracted")));
        std::filesystem::remove(FDir.File("extracted"));
    }
    std::pair<std::string, std::multiset<std::string>> contents{container.GetMemo(), entries};
    container.Close();
    return contents;
}
