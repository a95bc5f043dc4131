#include "cli/cli_context.h"

#include <unistd.h>

#include <ostream>

#include "core/ledger/ledger.h"
#include "core/session/book_commands.h"
#include "core/session/file_commands.h"
#include "core/session/startup.h"
#include "core/util/paths.h"

#ifndef VELMORA_SOURCE_DATA_DIR
#define VELMORA_SOURCE_DATA_DIR ""
#endif

namespace velmora::cli {
namespace {

std::string ExecutablePath() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace

CliContext::CliContext(std::ostream& o, std::ostream& e, std::optional<Date> today)
    : out(o), err(e), dialogs(e) {
    if (today)
        clock = std::make_unique<FixedClock>(*today);
    else
        clock = std::make_unique<SystemClock>();
    EnvironmentLookup env = ProcessEnvironment();
    workingFolder = WorkingFolder(env);
    programFolder = ProgramDataFolder(env, ExecutablePath(), VELMORA_SOURCE_DATA_DIR);
    session = std::make_unique<Session>(
        SessionServices{dialogs, *clock, DefaultFileWriter(), workingFolder, programFolder});
}

bool CliContext::OpenLedger(const std::string& file) {
    try {
        PrepareWorkingFolder(workingFolder, programFolder);
    } catch (const std::exception& error) {
        Fail(error.what());
        return false;
    }
    Session& s = *session;
    try {
        s.settings = ReadSettingsFile(s.SettingsPath(), true);
        s.backups = ReadBackupList(workingFolder);
    } catch (const std::exception& error) {
        dialogs.ShowInfo("確認", error.what());
    }
    s.currentFile = s.backups.lastFilename;
    return LoadLedger(s, file);
}

int CliContext::Fail(const std::string& text) {
    err << "velmora-cli: " << text << '\n';
    return 1;
}

std::optional<BookId> ParseBookOption(const Session& session, const std::string& value) {
    std::size_t colon = value.find(':');
    std::string kind = value.substr(0, colon);
    if (colon == std::string::npos) {
        if (kind != kCashKind) throw UsageError("--book takes 現金 or KIND:NAME");
        return session.ledger.CashBook();
    }
    std::string name = value.substr(colon + 1);
    if (kind == kCashKind) {
        if (name != session.ledger.UseTypeName()) return std::nullopt;
        return session.ledger.CashBook();
    }
    if (kind != kPettyKind && kind != kBankKind)
        throw UsageError("--book kind must be 現金, 小口 or 預金");
    for (const auto& n : BookNames(session, kind))
        if (n == name) return BookId{kind, name};
    return std::nullopt;
}

bool SelectBookOption(CliContext& ctx, const std::optional<std::string>& book, bool allBooks) {
    Session& s = *ctx.session;
    if (allBooks) {
        SelectAllBooks(s);
        return true;
    }
    if (!book) {
        SelectCashBook(s);
        return true;
    }
    auto id = ParseBookOption(s, *book);
    if (!id) {
        ctx.Fail("no such book: " + *book);
        return false;
    }
    if (id->kind == kCashKind)
        SelectCashBook(s);
    else
        SelectBook(s, *id);
    return true;
}

}  // namespace velmora::cli
