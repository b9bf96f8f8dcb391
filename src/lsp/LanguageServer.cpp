#include "lsp/LanguageServer.h"

#include "framework/Errors.h"
#include "lsp/Diagnostics.h"
#include "lsp/ProjectLookup.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbSource.h"

#include <algorithm>
#include <exception>

using nlohmann::json;

namespace {

// JSON-RPC and language server protocol error codes.
constexpr int ParseError = -32700;
constexpr int InvalidRequest = -32600;
constexpr int MethodNotFound = -32601;
constexpr int InvalidParams = -32602;
constexpr int InternalError = -32603;
constexpr int ServerNotInitialized = -32002;

// window/showMessage types.
constexpr int MessageError = 1;
constexpr int MessageWarning = 2;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Dump(const json& message) {
    return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

} // namespace

std::string PathOfFileUri(std::string_view uri) {
    constexpr std::string_view scheme = "file://";
    if (uri.size() < scheme.size()) return std::string();
    for (std::size_t i = 0; i < scheme.size(); ++i)
        if (static_cast<char>(platform::AsciiUpper(static_cast<unsigned char>(uri[i]))) !=
            static_cast<char>(platform::AsciiUpper(static_cast<unsigned char>(scheme[i]))))
            return std::string();
    std::string_view rest = uri.substr(scheme.size());
    // The authority: empty or "localhost" for a local file.
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::string();
    rest.remove_prefix(slash);
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 &&
            HexValue(rest[i + 2]) >= 0) {
            path += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
            i += 2;
        } else {
            path += rest[i];
        }
    }
    // "/C:/dir" is the Windows path "C:/dir".
    if (path.size() >= 3 && path[0] == '/' && path[2] == ':' &&
        ((path[1] >= 'A' && path[1] <= 'Z') || (path[1] >= 'a' && path[1] <= 'z')))
        path.erase(0, 1);
    return path;
}

TLanguageServer::TLanguageServer(std::FILE* input, std::FILE* output, TServerOptions options)
    : Output_(output), Reader_(input), Options_(std::move(options)) {}

int TLanguageServer::Run() {
    while (!Exit_) {
        std::optional<TMessageReader::TMessage> message = Reader_.Next();
        if (!message) break;
        if (!message->Error.empty()) {
            RespondError(nullptr, ParseError, message->Error);
            continue;
        }
        Handle(message->Body);
    }
    return ShutDown_ ? 0 : 1;
}

void TLanguageServer::Respond(const json& id, json result) {
    WriteMessage(Output_, Dump({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}));
}

void TLanguageServer::RespondError(const json& id, int code, const std::string& message) {
    WriteMessage(
        Output_,
        Dump({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}));
}

void TLanguageServer::Notify(const std::string& method, json params) {
    WriteMessage(Output_,
                 Dump({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}));
}

void TLanguageServer::ShowMessage(int type, const std::string& message) {
    Notify("window/showMessage", {{"type", type}, {"message", "vetrin: " + message}});
}

void TLanguageServer::Handle(const std::string& body) {
    json message = json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        RespondError(nullptr, ParseError, "the message is no JSON");
        return;
    }
    if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
        // A response to a request of ours (none is sent) or no message at all.
        if (message.is_object() && (message.contains("result") || message.contains("error")))
            return;
        RespondError(message.is_object() && message.contains("id") ? message["id"] : json(nullptr),
                     InvalidRequest, "a request needs a method");
        return;
    }
    const bool isRequest = message.contains("id");
    const json id = isRequest ? message["id"] : json(nullptr);
    if (isRequest && !id.is_string() && !id.is_number_integer()) {
        RespondError(nullptr, InvalidRequest, "a request's id is a number or a string");
        return;
    }
    const std::string method = message["method"].get<std::string>();
    const json params = message.contains("params") ? message["params"] : json::object();
    try {
        Dispatch(id, method, params, isRequest);
    } catch (const json::exception& e) {
        if (isRequest) RespondError(id, InvalidParams, e.what());
    } catch (const EVetrinError& e) {
        const std::string text =
            platform::TextToUtf8(e.Message(), *platform::FindCodePage(Options_.CodePage));
        if (isRequest)
            RespondError(id, InternalError, text);
        else
            ShowMessage(MessageError, text);
    } catch (const std::exception& e) {
        if (isRequest)
            RespondError(id, InternalError, e.what());
        else
            ShowMessage(MessageError, e.what());
    }
}

void TLanguageServer::Dispatch(const json& id, const std::string& method, const json& params,
                               bool isRequest) {
    if (method == "exit") {
        Exit_ = true;
        return;
    }
    if (!Initialized_ && method != "initialize") {
        if (isRequest) RespondError(id, ServerNotInitialized, "initialize first");
        return;
    }
    if (ShutDown_) {
        if (isRequest) RespondError(id, InvalidRequest, "the server is shut down");
        return;
    }
    if (method == "initialize") {
        if (Initialized_) {
            RespondError(id, InvalidRequest, "initialize was sent already");
            return;
        }
        Respond(id, Initialize(params));
    } else if (method == "initialized") {
    } else if (method == "shutdown") {
        ShutDown_ = true;
        Respond(id, nullptr);
    } else if (method == "textDocument/didOpen") {
        DidOpen(params);
    } else if (method == "textDocument/didChange") {
        DidChange(params);
    } else if (method == "textDocument/didSave") {
        if (TOpenDocument* document = Document(params)) {
            Publish(*document, params.at("textDocument").at("uri").get<std::string>());
            RefreshSymbolFindings(*document);
        }
    } else if (method == "textDocument/didClose") {
        DidClose(params);
    } else if (method == "workspace/didChangeConfiguration") {
        const json& settings = params.contains("settings") ? params["settings"] : json::object();
        const TServerOptions before = Options_;
        TakeSettings(settings.is_object() && settings.contains("vetrin") ? settings["vetrin"]
                                                                         : settings);
        // Clients send their settings at start, changed or not: only a change starts over.
        if (before.CodePage != Options_.CodePage || before.ProjectFile != Options_.ProjectFile ||
            before.RulesFile != Options_.RulesFile)
            Restart();
    } else if (method == "textDocument/hover") {
        TOpenDocument* document = Document(params);
        const int line = params.at("position").at("line").get<int>();
        Respond(id, document && document->Check
                        ? Hover(document->Findings, line, document->Check->CodePage(), Language_)
                        : json(nullptr));
    } else if (method == "textDocument/codeAction") {
        TOpenDocument* document = Document(params);
        const json& context = params.contains("context") ? params["context"] : json::object();
        Respond(id, document && document->Check && context.contains("diagnostics")
                        ? CodeActions(params.at("textDocument").at("uri").get<std::string>(),
                                      document->Text, context["diagnostics"], Language_)
                        : json::array());
    } else if (isRequest) {
        RespondError(id, MethodNotFound, "unknown method: " + method);
    }
    // Other notifications ($/cancelRequest, $/setTrace...) need no answer.
}

json TLanguageServer::Initialize(const json& params) {
    Initialized_ = true;
    if (params.contains("workspaceFolders") && params["workspaceFolders"].is_array()) {
        for (const json& folder : params["workspaceFolders"])
            if (folder.is_object() && folder.contains("uri") && folder["uri"].is_string()) {
                std::string path = PathOfFileUri(folder["uri"].get<std::string>());
                if (!path.empty()) WorkspaceFolders_.push_back(path);
            }
    } else if (params.contains("rootUri") && params["rootUri"].is_string()) {
        std::string path = PathOfFileUri(params["rootUri"].get<std::string>());
        if (!path.empty()) WorkspaceFolders_.push_back(path);
    }
    const json options =
        params.contains("initializationOptions") && params["initializationOptions"].is_object()
            ? params["initializationOptions"]
            : json::object();
    // The language is chosen once, before the first check.
    std::optional<TLanguage> language;
    if (options.contains("language") && options["language"].is_string())
        language = platform::LanguageFromName(options["language"].get<std::string>());
    Language_ = language ? *language : platform::UserLanguage();
    SetCurrentLanguage(Language_);
    TakeSettings(options);
    return {{"capabilities",
             {{"textDocumentSync",
               {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
              {"hoverProvider", true},
              {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}}}},
            {"serverInfo", {{"name", "vrt"}}}};
}

void TLanguageServer::TakeSettings(const json& settings) {
    if (!settings.is_object()) return;
    // A relative path is taken from the (first) workspace folder.
    auto path = [&](const char* key, std::string& into) {
        if (!settings.contains(key) || !settings[key].is_string()) return;
        std::string value = settings[key].get<std::string>();
        if (!value.empty() && !WorkspaceFolders_.empty() && value[0] != '/' &&
            !(value.size() > 1 && value[1] == ':'))
            value = WorkspaceFolders_.front() + "/" + value;
        into = value.empty() ? value : platform::AbsolutePath(platform::EnginePath(value));
    };
    path("project", Options_.ProjectFile);
    path("rulesFile", Options_.RulesFile);
    if (settings.contains("codePage") && settings["codePage"].is_number_integer()) {
        const int page = settings["codePage"].get<int>();
        if (platform::FindCodePage(page))
            Options_.CodePage = page;
        else
            ShowMessage(MessageError, "code page " + std::to_string(page) + " is not supported (" +
                                          platform::SupportedCodePages() + ")");
    }
}

TMemberCheck* TLanguageServer::CheckOfProject(const std::string& project) {
    auto found = Checks_.find(project);
    if (found != Checks_.end()) return found->second.get();
    TMemberCheckSettings settings{Options_.CodePage, Options_.RulesFile, Options_.WordListFolder};
    std::unique_ptr<TMemberCheck> check;
    try {
        check = std::make_unique<TMemberCheck>(project, settings);
    } catch (const EVetrinError& e) {
        // A rules file that cannot be applied is said once; the default rules stand in for it.
        ShowMessage(MessageError, platform::TextToUtf8(e.Message(), platform::SystemCodePage()) +
                                      " (the default rules are used)");
        settings.RulesFile.clear();
        check = std::make_unique<TMemberCheck>(project, settings);
    }
    return Checks_.emplace(project, std::move(check)).first->second.get();
}

TMemberCheck* TLanguageServer::CheckFor(const std::string& path) {
    if (MemberKindOfFile(path) == TVbMemberKind::None) return nullptr;
    const platform::TCodePage& page = *platform::FindCodePage(Options_.CodePage);
    std::string project;
    if (!Options_.ProjectFile.empty() && ProjectNamesMember(Options_.ProjectFile, path, page))
        project = Options_.ProjectFile;
    else
        project = FindProjectOf(path, page);
    return CheckOfProject(project);
}

TLanguageServer::TOpenDocument* TLanguageServer::Document(const json& params) {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    auto found = Documents_.find(uri);
    return found == Documents_.end() ? nullptr : &found->second;
}

void TLanguageServer::DidOpen(const json& params) {
    const json& item = params.at("textDocument");
    const std::string uri = item.at("uri").get<std::string>();
    TOpenDocument document;
    document.Path = PathOfFileUri(uri);
    if (!document.Path.empty()) document.Path = platform::AbsolutePath(document.Path);
    document.Version = item.value("version", 0);
    document.Text.Replace(item.at("text").get<std::string>());
    document.Check = document.Path.empty() ? nullptr : CheckFor(document.Path);
    TOpenDocument& open = Documents_[uri] = std::move(document);
    Publish(open, uri);
}

void TLanguageServer::DidChange(const json& params) {
    TOpenDocument* document = Document(params);
    if (!document) return;
    const json& item = params.at("textDocument");
    document->Version = item.value("version", document->Version);
    for (const json& change : params.at("contentChanges")) {
        const std::string text = change.at("text").get<std::string>();
        if (!change.contains("range")) {
            document->Text.Replace(text);
            continue;
        }
        const json& range = change["range"];
        auto position = [](const json& p) {
            return TTextPosition{p.at("line").get<int>(), p.at("character").get<int>()};
        };
        document->Text.ReplaceRange(position(range.at("start")), position(range.at("end")), text);
    }
    Publish(*document, item.at("uri").get<std::string>());
    RefreshSymbolFindings(*document);
}

void TLanguageServer::DidClose(const json& params) {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    auto found = Documents_.find(uri);
    if (found == Documents_.end()) return;
    if (found->second.Check) found->second.Check->Forget(found->second.Path);
    Documents_.erase(found);
    Notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", json::array()}});
}

void TLanguageServer::Publish(TOpenDocument& document, const std::string& uri) {
    if (!document.Check) return;
    const std::string& text = document.Text.Text();
    try {
        document.Findings = document.Check->Check(document.Path, text);
    } catch (const EVetrinError& e) {
        // A project that cannot be read: the member is checked on its own, and the reason said.
        if (document.Check->Project().empty()) throw;
        ShowMessage(MessageWarning, platform::TextToUtf8(e.Message(), document.Check->CodePage()) +
                                        " (the file is checked on its own)");
        document.Check = CheckOfProject(std::string());
        document.Findings = document.Check->Check(document.Path, text);
    }
    PublishFindings(document, uri);
}

void TLanguageServer::PublishFindings(const TOpenDocument& document, const std::string& uri) {
    Notify("textDocument/publishDiagnostics",
           {{"uri", uri},
            {"version", document.Version},
            {"diagnostics",
             Diagnostics(document.Findings, document.Text, document.Check->CodePage())}});
}

void TLanguageServer::RefreshSymbolFindings(const TOpenDocument& changed) {
    if (!changed.Check || changed.Check->Project().empty()) return;
    auto same = [](const TFindingRecord& a, const TFindingRecord& b) {
        return a.Rule == b.Rule && a.Line == b.Line && a.Message == b.Message;
    };
    for (auto& [uri, other] : Documents_) {
        if (&other == &changed || other.Check != changed.Check) continue;
        std::optional<std::vector<TFindingRecord>> fresh = other.Check->SymbolFindings(other.Path);
        if (!fresh) continue;
        // The symbol table's findings come after the member's others, as in a whole check.
        std::vector<TFindingRecord> findings;
        for (const TFindingRecord& finding : other.Findings)
            if (!other.Check->IsSymbolFinding(finding)) findings.push_back(finding);
        findings.insert(findings.end(), fresh->begin(), fresh->end());
        if (std::equal(findings.begin(), findings.end(), other.Findings.begin(),
                       other.Findings.end(), same))
            continue;
        other.Findings = std::move(findings);
        PublishFindings(other, uri);
    }
}

void TLanguageServer::Restart() {
    Checks_.clear();
    for (auto& [uri, document] : Documents_) {
        document.Check = document.Path.empty() ? nullptr : CheckFor(document.Path);
        Publish(document, uri);
    }
}
