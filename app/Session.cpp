#include "Session.h"

#include "ContainerWindow.h"
#include "OpenContainer.h"
#include "ReceivedLocation.h"
#include "cipher/SecureZero.h"
#include "settings/Settings.h"

#include <algorithm>

TSession::TSession(TTemporaryFiles& temporaryFiles, QObject* parent)
    : QObject(parent), FTemporaryFiles(temporaryFiles), FTemporaryFolders(SystemTemporaryFolders())
{
    FPasswordTimer.setSingleShot(true);
    connect(&FPasswordTimer, &QTimer::timeout, this, &TSession::PasswordTimeUp);
}

void TSession::AddWindow(IContainerWindow& window)
{
    window.FShown = std::make_shared<TOpenContainer>();
    FWindows.push_back(&window);
    FOpenContainers.push_back(window.FShown);
}

void TSession::RemoveWindow(IContainerWindow& window)
{
    const auto found = std::find(FWindows.begin(), FWindows.end(), &window);
    if (found == FWindows.end()) {
        return;
    }
    FOpenContainers.erase(FOpenContainers.begin() + (found - FWindows.begin()));
    FWindows.erase(found);
    if (FDropSource == &window) {
        FDropSource = nullptr;
    }
}

void TSession::RememberPassword(const std::string& password, int forgetAfterMs)
{
    ForgetPassword();
    FRememberedPassword = password;
    FPasswordTimer.start(forgetAfterMs);
}

void TSession::RestartPasswordTimer(int forgetAfterMs)
{
    FPasswordTimer.start(forgetAfterMs);
}

void TSession::ForgetPassword()
{
    FPasswordTimer.stop();
    SecureClear(FRememberedPassword);
}

void TSession::PasswordTimeUp()
{
    ForgetPassword();
    for (const std::shared_ptr<TOpenContainer>& open : FOpenContainers) {
        SecureClear(open->State().FPassword);
    }
}

TSession::TFlowGuard::TFlowGuard(TSession& session) : FSession(session)
{
    ++FSession.FRunningFlows;
}

TSession::TFlowGuard::~TFlowGuard()
{
    FSession.EndFlow();
}

void TSession::EndFlow()
{
    if (--FRunningFlows == 0 && !FAfterFlow.empty()) {
        QMetaObject::invokeMethod(this, &TSession::RunWaitingActions, Qt::QueuedConnection);
    }
}

void TSession::AfterFlow(std::function<void()> action)
{
    // Behind the actions still waiting, too: they came first.
    if (FlowRunning() || !FAfterFlow.empty()) {
        FAfterFlow.push_back(std::move(action));
    } else {
        action();
    }
}

void TSession::RunWaitingActions()
{
    // An action that starts a flow leaves the rest waiting for that one's end.
    while (!FlowRunning() && !FAfterFlow.empty()) {
        const std::function<void()> action = std::move(FAfterFlow.front());
        FAfterFlow.pop_front();
        action();
    }
}

bool TSession::IsOpen(const IContainerWindow& window) const
{
    return std::find(FWindows.begin(), FWindows.end(), &window) != FWindows.end();
}

const std::string& TSession::DialogFolder(const TSettings& settings) const
{
    const bool optionChanged = FDialogFolderDefault != settings.DefaultCurrentDirectory;
    return FDialogFolder.empty() || optionChanged ? settings.DefaultCurrentDirectory : FDialogFolder;
}

void TSession::SetDialogFolder(const TSettings& settings, std::string folder)
{
    FDialogFolder = std::move(folder);
    FDialogFolderDefault = settings.DefaultCurrentDirectory;
}
