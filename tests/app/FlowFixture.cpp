#include "FlowFixture.h"

#include "container/ExtraString.h"

#include <filesystem>

void TestWindow::AssignContainer(std::unique_ptr<TRandomCryptoContainer> container)
{
    if (FContainer) {
        FContainer->Close();
    }
    FContainer = std::move(container);
}

void TestWindow::LoadContent()
{
    FText = FContainer->GetMemo();
}

void TestWindow::SetEditorText(const std::string& text, bool rich)
{
    FText = text;
    FRich = rich;
}

std::vector<std::string> TestWindow::AttachmentNames()
{
    std::vector<std::string> names;
    for (const auto& entry : FContainer->GetCatalog()) {
        names.push_back(entry->FPath.FileName());
    }
    return names;
}

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

TestWindow& FlowFixture::OnlyWindow()
{
    EXPECT_EQ(FWindows.size(), 1u);
    return *FWindows.back();
}

TestWindow& FlowFixture::NewWindow()
{
    FCommands.NewContainer();
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
