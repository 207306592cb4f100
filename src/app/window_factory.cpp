#include "app/window_factory.h"

#include "app/eleves_bcdi_window.h"
#include "app/eleves_orlane_window.h"
#include "app/eleves_pmb_window.h"
#include "app/eleves_vesko_window.h"
#include "app/profs_cite_window.h"
#include "app/profs_orlane_window.h"
#include "app/profs_pmb_window.h"
#include "app/profs_vesko_window.h"

#include <functional>
#include <map>

namespace tressal::app {

QWidget* CreateConversionWindow(const std::string& cliName, AppServices& services) {
    using Factory = std::function<QWidget*(AppServices&)>;
    static const std::map<std::string, Factory> factories = {
        {"eleves-orlane", [](AppServices& s) { return new TTFEleves(s); }},
        {"profs-orlane", [](AppServices& s) { return new TTFprofs(s); }},
        {"profs-orlane-cite", [](AppServices& s) { return new TTFprofsCite(s); }},
        {"profs-vesko", [](AppServices& s) { return new TTFVesko(s); }},
        {"profs-pmb", [](AppServices& s) { return new TTFProfsPMB(s); }},
        {"eleves-vesko", [](AppServices& s) { return new TTFVeskoElvV2(s); }},
        {"eleves-pmb", [](AppServices& s) { return new TFElevesPMB(s); }},
        {"eleves-bcdi", [](AppServices& s) { return new TFElevesBCDI(s); }},
    };
    const auto found = factories.find(cliName);
    return found == factories.end() ? nullptr : found->second(services);
}

} // namespace tressal::app
