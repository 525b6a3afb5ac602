#include "tools/quiz/player_check.h"

#include "core/ids.h"
#include "tools/pe/pe_format.h"
#include "tools/pe/pe_image.h"
#include "tools/pe/pe_resources.h"
#include "tools/pe/resource_names.h"

namespace {

constexpr uint16_t kExecutableImage = 0x0002;
constexpr uint16_t kDllImage = 0x2000;
constexpr uint16_t kRtDialog = 5;
constexpr uint16_t kRtRcdata = 10;
// The question grid's and the header panel's dialog templates.
constexpr uint16_t kPlayerDialogs[] = {kGridDialogId, kHeaderDialogId};

bool hasResource(const std::vector<PeResource>& all, const ResourceName& type,
                 const ResourceName& name) {
    for (const PeResource& r : all)
        if (compareResourceNames(r.type, type) == 0 && compareResourceNames(r.name, name) == 0)
            return true;
    return false;
}

}  // namespace

bool checkPlayer(const std::vector<uint8_t>& image, std::vector<PeResource>& all,
                 std::string& error) {
    PeImage pe;
    std::string detail;
    if (!parsePeImage(image, pe, detail)) {
        error = "ce n'est pas un exécutable Windows (" + detail + ")";
        return false;
    }
    const uint16_t flags = pe::get16(image, pe.fileHeaderOffset + pe::kFhCharacteristics);
    if ((flags & kDllImage) != 0 || (flags & kExecutableImage) == 0) {
        error = "c'est une bibliothèque (DLL) ou un fichier objet, pas un programme";
        return false;
    }
    if (!readPeResources(image, all, detail)) {
        error = "ses ressources sont illisibles (" + detail + ")";
        return false;
    }
    if (!hasResource(all, resourceId(kRtRcdata), resourceName(kPlayerMarkerName))) {
        error = "ce programme n'est pas le lecteur de quiz Velto (sa marque de lecteur manque)";
        return false;
    }
    for (uint16_t dialog : kPlayerDialogs) {
        if (!hasResource(all, resourceId(kRtDialog), resourceId(dialog))) {
            error = "il manque au lecteur son modèle de boîte de dialogue " +
                    std::to_string(dialog) + " ; reprenez le player.exe livré avec velto";
            return false;
        }
    }
    return true;
}
