#include "DragDropFixture.h"

#include <QString>
#include <QtEndian>

namespace {

ScriptedPtr Collection(std::vector<ScriptedPtr> items, std::int64_t objectClass)
{
    auto collection = std::make_shared<ScriptedObject>();
    collection->FNumbers = {{"Count", static_cast<std::int64_t>(items.size())}, {"Class", objectClass}};
    collection->FItems = std::move(items);
    return collection;
}

} // namespace

ScriptedPtr DragDropFixture::Mail(const std::vector<std::string>& attachmentNames)
{
    std::vector<ScriptedPtr> attachments;
    for (const std::string& name : attachmentNames) {
        auto attachment = std::make_shared<ScriptedObject>();
        attachment->FTexts["FileName"] = name;
        attachment->FContents = "bytes of " + name;
        attachments.push_back(attachment);
    }
    auto mail = std::make_shared<ScriptedObject>();
    mail->FNumbers["Class"] = 43;
    mail->FObjects["Attachments"] = Collection(std::move(attachments), 0);
    return mail;
}

ScriptedPtr DragDropFixture::Outlook(ScriptedPtr openMail, std::vector<ScriptedPtr> selection, std::int64_t activeClass)
{
    auto application = std::make_shared<ScriptedObject>();
    if (openMail != nullptr) {
        application->FObjects["ActiveInspector"] = std::make_shared<ScriptedObject>();
        application->FObjects["ActiveInspector"]->FObjects["CurrentItem"] = std::move(openMail);
    }
    auto& explorer = application->FObjects["ActiveExplorer"] = std::make_shared<ScriptedObject>();
    explorer->FTexts["CurrentView"] = "Messages";
    explorer->FObjects["Selection"] = Collection(std::move(selection), 74);
    application->FObjects["ActiveWindow"] = std::make_shared<ScriptedObject>();
    application->FObjects["ActiveWindow"]->FNumbers["Class"] = activeClass;
    return application;
}

QByteArray DragDropFixture::Descriptor(const std::vector<std::string>& names, bool wide)
{
    const int recordSize = wide ? 592 : 332;
    QByteArray block(4 + recordSize * static_cast<int>(names.size()), '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(names.size()), block.data());
    for (std::size_t n = 0; n < names.size(); ++n) {
        char* name = block.data() + 4 + recordSize * static_cast<int>(n) + 72;
        if (wide) {
            const QString text = QString::fromStdString(names[n]);
            qToLittleEndian<char16_t>(text.utf16(), text.size(), name);
        } else {
            std::copy(names[n].begin(), names[n].end(), name);
        }
    }
    return block;
}
