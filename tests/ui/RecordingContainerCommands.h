#pragma once

#include "app/ContainerCommands.h"
#include "app/ContainerWindow.h"
#include "app/Session.h"

#include <functional>
#include <string>

// The container operations, each handed by name to a listener instead of run. The close flow
// answers as told and, when it lets the window close, stores its geometry and takes it off the
// session's list as the real flow does.
class TRecordingContainerCommands : public IContainerCommands
{
public:
    explicit TRecordingContainerCommands(TSession& session, std::function<void(const std::string&)> listener = {})
        : FSession(session), FListener(std::move(listener))
    {
    }

    void SendContainer(IContainerWindow&) override { Tell("send"); }
    void ReplyContainer(IContainerWindow&) override { Tell("reply"); }
    void ForwardContainer(IContainerWindow&) override { Tell("forward"); }
    void ChangePassword(IContainerWindow&) override { Tell("change password"); }
    void SaveContainerAs(IContainerWindow&) override { Tell("save as"); }
    void ExtractTextAndAttachments(IContainerWindow&) override { Tell("extract all"); }
    void ExtractText(IContainerWindow&) override { Tell("extract text"); }
    void AddAttachments(IContainerWindow&) override { Tell("add"); }
    void ExtractAllAttachments(IContainerWindow&) override { Tell("extract all attachments"); }
    void ExtractSelectedAttachments(IContainerWindow&) override { Tell("extract selected"); }
    void DeleteSelectedAttachments(IContainerWindow&) override { Tell("delete selected"); }
    void OpenAttachment(IContainerWindow&, int row) override { Tell("open attachment " + std::to_string(row)); }
    bool CloseContainerWindow(IContainerWindow& window) override
    {
        Tell("close");
        if (FCloses) {
            window.StoreGeometry();
            FSession.RemoveWindow(window);
        }
        return FCloses;
    }

    bool FCloses = true;

private:
    void Tell(const std::string& what)
    {
        if (FListener) {
            FListener(what);
        }
    }

    TSession& FSession;
    std::function<void(const std::string&)> FListener;
};
