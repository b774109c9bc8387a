// The C interface the browser page calls, over the same core the program and the command-line
// tool use: one container open at a time, read-only, through the file system the page's worker
// mounts (the container file read in slices from the browser's File object). Every function
// catches what the core raises and hands its message text to the page.
#include "MemoHtml.h"
#include "container/ContainerKey.h"
#include "container/LocalTime.h"
#include "container/RandomCryptoContainer.h"
#include "language/FormatText.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "richtext/RtfReader.h"
#include "text/StoredText.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

std::unique_ptr<TRandomCryptoContainer> OpenContainer;
// The last answer: JSON after a success, the message text after a failure.
std::string Answer;

std::string JsonString(std::string_view utf8)
{
    std::string json = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

// A plain memo as a document: one paragraph per line, whatever line ends it uses.
TRichDocument PlainDocument(const std::string& text)
{
    TRichDocument document;
    std::string line;
    const auto endLine = [&] {
        TRichRun run;
        run.FText = line;
        TRichParagraph paragraph;
        paragraph.Append(std::move(run));
        document.FParagraphs.push_back(std::move(paragraph));
        line.clear();
    };
    for (std::size_t n = 0; n < text.size(); ++n) {
        if (text[n] == '\r' || text[n] == '\n') {
            if (text[n] == '\r' && n + 1 < text.size() && text[n + 1] == '\n') {
                ++n;
            }
            endLine();
        } else {
            line += text[n];
        }
    }
    if (!line.empty() || document.FParagraphs.empty()) {
        endLine();
    }
    return document;
}

// The memo's two forms as JSON members: "memoText" (plain, list items with their labels) and
// "memoHtml".
std::string MemoMembers(const std::string& memo)
{
    const TRichDocument document = IsRichMemo(memo) ? ReadRtf(memo) : PlainDocument(FromStoredText(memo));
    return "\"memoText\":" + JsonString(PlainText(document, true)) + ",\"memoHtml\":" + JsonString(MemoHtml(document));
}

std::string OpenAnswer(TRandomCryptoContainer& container, const TCatalog& catalog)
{
    std::string json = "{" + MemoMembers(container.GetMemo()) + ",\"entries\":[";
    for (int index = 0; index < catalog.Count(); ++index) {
        const TFileInfo& entry = *catalog.Item(index);
        json += index > 0 ? "," : "";
        // The folder as the program lists it: below the folder the entry is extracted to.
        const std::string folder = entry.FPath.RelativeFolder();
        const std::string below = folder.substr(std::min(folder.find_first_not_of('/'), folder.size()));
        json += "{\"name\":" + JsonString(entry.FPath.FileName()) + ",\"folder\":" + JsonString(below) +
                ",\"size\":" + std::to_string(entry.FSize) +
                ",\"modified\":" + JsonString(LocalDateText(entry.FModified)) + "}";
    }
    return json + "]}";
}

} // namespace

extern "C" {

// Opens the container file read-only with the password (UTF-8, turned into key bytes as the
// program does), the messages in the given language (0 English, 1 German, 2 French, 3 Esperanto).
// Returns 0 and leaves {memoText, memoHtml, entries} as JSON in sv_answer, or 1 and the message.
EMSCRIPTEN_KEEPALIVE int sv_open(const char* fileName, const char* password, int language)
{
    LanguageHolder().SetLanguage(ValidLanguage(language));
    OpenContainer.reset();
    try {
        auto container = std::make_unique<TRandomCryptoContainer>(TContainerKey(password));
        const TCatalog& catalog = container->OpenReadOnly(fileName);
        Answer = OpenAnswer(*container, catalog);
        OpenContainer = std::move(container);
        return 0;
    } catch (const std::exception& error) {
        Answer = error.what();
        return 1;
    }
}

// Writes entry index (in the order of the catalog as opened) as the given file. Returns 0, or 1
// with the message in sv_answer.
EMSCRIPTEN_KEEPALIVE int sv_extract(int index, const char* targetFile)
{
    try {
        if (!OpenContainer) {
            throw std::runtime_error(
                FormatText(MsgText(msg::AttemptedExtractFromClosed), {std::int64_t{index}, std::string()}));
        }
        OpenContainer->ExtractFileTo(index, targetFile);
        return 0;
    } catch (const std::exception& error) {
        Answer = error.what();
        return 1;
    }
}

EMSCRIPTEN_KEEPALIVE void sv_close()
{
    OpenContainer.reset();
}

EMSCRIPTEN_KEEPALIVE const char* sv_answer()
{
    return Answer.c_str();
}

// The memo of a container the page's script has read itself (format 5), given as its bytes, in
// the form sv_open gives a memo: 0 and {memoText, memoHtml} as JSON in sv_answer, or 1 and the
// message.
EMSCRIPTEN_KEEPALIVE int sv_memo(const char* memo, int length)
{
    try {
        Answer = "{" + MemoMembers(std::string(memo, static_cast<std::size_t>(length))) + "}";
        return 0;
    } catch (const std::exception& error) {
        Answer = error.what();
        return 1;
    }
}

// The check code the password dialogs show beside a password (UTF-8).
EMSCRIPTEN_KEEPALIVE const char* sv_check_code(const char* password)
{
    Answer = TContainerKey(password).CheckCode();
    return Answer.c_str();
}
}
