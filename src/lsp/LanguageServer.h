// The language server: JSON-RPC requests and notifications in, responses, diagnostics and
// messages out, one at a time on the calling thread.
#pragma once

#include "framework/Finding.h"
#include "framework/Language.h"
#include "lsp/JsonRpc.h"
#include "lsp/MemberCheck.h"
#include "lsp/TextDocument.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the command line gives; the client's initialization options and configuration (project,
// rulesFile, codePage) take the place of what they name, and choose the language.
struct TServerOptions {
    int CodePage = 932;
    std::string ProjectFile;    // engine path; empty: each member's nearest project
    std::string RulesFile;      // engine path; empty: the default rules
    std::string WordListFolder; // empty: vb/ beside the executable
};

class TLanguageServer {
public:
    TLanguageServer(std::FILE* input, std::FILE* output, TServerOptions options);
    // Serves until "exit" or the end of the input; answers the exit status: 0 after a
    // "shutdown", 1 otherwise.
    int Run();

private:
    struct TOpenDocument {
        std::string Path; // engine path
        int Version = 0;
        TTextDocument Text;
        TMemberCheck* Check = nullptr; // none: no VB source file
        std::vector<TFindingRecord> Findings;
    };

    void Handle(const std::string& body);
    void Dispatch(const nlohmann::json& id, const std::string& method, const nlohmann::json& params,
                  bool isRequest);
    void Respond(const nlohmann::json& id, nlohmann::json result);
    void RespondError(const nlohmann::json& id, int code, const std::string& message);
    void Notify(const std::string& method, nlohmann::json params);
    void ShowMessage(int type, const std::string& message);

    nlohmann::json Initialize(const nlohmann::json& params);
    void TakeSettings(const nlohmann::json& settings);
    void DidOpen(const nlohmann::json& params);
    void DidChange(const nlohmann::json& params);
    void DidClose(const nlohmann::json& params);
    // Checks a document's text and publishes its diagnostics.
    void Publish(TOpenDocument& document, const std::string& uri);
    void PublishFindings(const TOpenDocument& document, const std::string& uri);
    // After a change of `changed`: the findings of the symbol table's rules of the other open
    // members of its project, published again where they changed.
    void RefreshSymbolFindings(const TOpenDocument& changed);
    TMemberCheck* CheckFor(const std::string& path);
    TMemberCheck* CheckOfProject(const std::string& project);
    TOpenDocument* Document(const nlohmann::json& params);
    // Forgets every project's check (the settings changed) and checks the open documents again.
    void Restart();

    std::FILE* Output_;
    TMessageReader Reader_;
    TServerOptions Options_;
    TLanguage Language_ = TLanguage::Japanese;
    std::vector<std::string> WorkspaceFolders_; // engine paths
    bool Initialized_ = false, ShutDown_ = false, Exit_ = false;
    std::map<std::string, TOpenDocument> Documents_;              // by URI
    std::map<std::string, std::unique_ptr<TMemberCheck>> Checks_; // by project file; "" alone
};

// The engine path of a file URI ("file:///home/a%20b/x.bas"); empty for another scheme.
std::string PathOfFileUri(std::string_view uri);
