#include "Session.h"

#include "ContainerWindow.h"
#include "ReceivedLocation.h"
#include "cipher/SecureZero.h"

#include <algorithm>

TSession::TSession(TTemporaryFiles& temporaryFiles, QObject* parent)
    : QObject(parent), FTemporaryFiles(temporaryFiles), FTemporaryFolders(SystemTemporaryFolders())
{
    FPasswordTimer.setSingleShot(true);
    connect(&FPasswordTimer, &QTimer::timeout, this, &TSession::PasswordTimeUp);
}

void TSession::AddWindow(IContainerWindow& window)
{
    window.State().FIndex = static_cast<int>(FWindows.size());
    FWindows.push_back(&window);
}

void TSession::RemoveWindow(IContainerWindow& window)
{
    const auto found = std::find(FWindows.begin(), FWindows.end(), &window);
    if (found == FWindows.end()) {
        return;
    }
    FWindows.erase(found);
    for (std::size_t index = 0; index < FWindows.size(); ++index) {
        FWindows[index]->State().FIndex = static_cast<int>(index);
    }
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
    for (IContainerWindow* window : FWindows) {
        SecureClear(window->State().FPassword);
    }
}
