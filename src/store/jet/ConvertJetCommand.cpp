#include "store/PathText.h"
#include "store/jet/JetDetect.h"
#include "store/jet/JetMigration.h"
#include "store/jet/Utf8.h"

namespace brassbell {

int runConvertJet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "Usage: brassbell " << kConvertJetOption << " OLD.mdb NEW.mdb\n"
            << "Converts the Jet database OLD.mdb into a new Rules.mdb NEW.mdb; OLD.mdb is not changed.\n";
        return 2;
    }
    const std::filesystem::path jetFile = pathFromText(args[0]);
    const std::filesystem::path target = pathFromText(args[1]);
    try {
        std::error_code ec;
        if (!std::filesystem::exists(jetFile, ec))
            throw JetMigrationError(args[0] + " does not exist.");
        if (!isJetDatabase(jetFile))
            throw JetMigrationError(args[0] + " is not a Jet database.");
        const MigrationReport report = migrateJetDatabase(jetFile, target);
        std::u16string text = report.message();
        for (std::size_t at = text.find(u"\r\n"); at != std::u16string::npos; at = text.find(u"\r\n", at))
            text.erase(at, 1);
        out << utf16ToUtf8(text) << '\n';
        return 0;
    } catch (const JetMigrationError& error) {
        err << "brassbell " << kConvertJetOption << ": " << error.what() << '\n';
    } catch (const std::exception& error) {
        err << "brassbell " << kConvertJetOption << ": " << error.what() << '\n';
    }
    return 1;
}

} // namespace brassbell
