#include "FlowFixture.h"

#include "container/ExtraString.h"

FlowFixture::FlowFixture()
{
    FSettings.TempPath = FDir.File("SV_Work");
    std::filesystem::create_directory(FSettings.TempPath);
    FSettings.DefaultCurrentDirectory = FDir.Path();
    FSettings.ExploreAfterExtract = true;
    FSettings.ExtractAllInSubdir = true;
    // The scratch folder lies below the system's temporary folder; here it stands for the
    // user's own folders, and the sandbox's temporary folder for the temporary ones.
    FSession.SetTemporaryFolders({FSandbox.TemporaryFolder()});
}

IContainerWindow& FlowFixture::CreateContainerWindow()
{
    FWindows.push_back(std::make_unique<TestWindow>(
        FUser, [this](IContainerWindow& window) { return FCommands.Flows().CloseContainerWindow(window); }));
    FSession.AddWindow(*FWindows.back());
    return *FWindows.back();
}

void FlowFixture::MakeMessage(const std::string& file, const std::string& password,
                              const std::vector<std::pair<std::string, std::string>>& files, const std::string& memo,
                              const std::string& sender)
{
    TExtraString extra(true);
    extra.SetField(TExtraString::SenderAddress, sender);
    MakeContainer(file, password, files, memo, extra.Serialize());
}

TestWindow& FlowFixture::OpenedWindow(const std::string& fileName, const std::string& password)
{
    FUser.ExpectPassword(ScriptedQuestions::Kind::Password, "Password", FSession.RememberedPassword(), password);
    FCommands.OpenContainerFile(nullptr, fileName);
    return *FWindows.back();
}

std::string FlowFixture::Memo(const std::string& fileName, const std::string& password)
{
    TRandomCryptoContainer container{TContainerKey(password)};
    container.OpenReadOnly(fileName);
    const std::string memo = container.GetMemo();
    container.Close();
    return memo;
}
