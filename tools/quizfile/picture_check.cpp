#include "tools/quizfile/picture_check.h"

#include <cstdio>
#include <string>

#include "media/jpeg_markers.h"

namespace {

const char* formatName(PictureFormat format) {
    switch (format) {
    case PictureFormat::Png: return "PNG";
    case PictureFormat::Gif: return "GIF";
    case PictureFormat::Bmp: return "BMP";
    case PictureFormat::Jpeg:
    case PictureFormat::Unknown: break;
    }
    return "";
}

std::string frameCoding(unsigned char marker) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", marker);
    return std::string("SOF ") + text;
}

constexpr char kConvert[] =
    " : ouvrez-la dans Paint (ou tout logiciel d'images) et choisissez Enregistrer sous, type "
    "JPEG ; ou, en ligne de commande : convert image.png image.jpg";
constexpr int kMostPixels = 4000000;  // beyond this, a picture only slows the start
constexpr int kLongestSide = 2000;
constexpr int kEnoughSide = 800;  // several times the 260-pixel box

// What keeps Windows from showing the picture at all; empty when nothing.
std::string refusalText(const JpegFrame& frame) {
    if (frame.problem == JpegProblem::NotJpeg)
        return std::string("est une image ") + formatName(frame.format) +
               ", pas une image JPEG ; Windows n'affiche dans un quiz que les images JPEG (Wine "
               "montre les autres, Windows laisse la case vide)" +
               kConvert;
    if (frame.problem == JpegProblem::UnsupportedFrame)
        return "n'est pas une image JPEG de base ni progressive (" +
               frameCoding(frame.frameMarker) + ") ; Windows ne saura pas l'afficher" + kConvert;
    if (frame.components == 4)
        return "est une image JPEG en CMJN (couleurs d'imprimerie) ; Windows ne l'affiche pas : "
               "convertissez-la en RVB (dans GIMP : Image > Mode > RVB, puis Exporter en JPEG ; "
               "ou : convert image.jpg -colorspace sRGB image.jpg)";
    if (frame.precision > 8)
        return "est une image JPEG de " + std::to_string(frame.precision) +
               " bits par couleur ; Windows n'affiche que les JPEG de 8 bits" + kConvert;
    return "";
}

// What is wrong with the picture, in a sentence that ends with what to do; empty when nothing.
std::string problemText(const JpegFrame& frame) {
    const std::string resave = " : réenregistrez-la en JPEG depuis un logiciel d'images";
    switch (frame.problem) {
    case JpegProblem::None:
    case JpegProblem::NotJpeg: return "";
    case JpegProblem::Truncated:
        return "est une image JPEG tronquée : ses données s'arrêtent avant son marqueur de fin "
               "(FF D9) ; le lecteur pourrait la montrer incomplète ou pas du tout" +
               resave;
    case JpegProblem::NoEndMarker:
        return "est une image JPEG sans marqueur de fin (FF D9) ; le lecteur pourrait ne pas "
               "l'afficher" +
               resave;
    case JpegProblem::UnsupportedFrame: return "";
    case JpegProblem::Malformed:
        return "est une image JPEG mal formée ; le lecteur ne saura sans doute pas l'afficher" +
               resave;
    }
    return "";
}

}  // namespace

bool checkPictureBytes(const MediaRef& picture, Diagnostics& diags) {
    const JpegFrame frame = readJpegFrame(picture.bytes.data(), picture.bytes.size());
    if (frame.format == PictureFormat::Unknown) return false;
    const std::string shown = "'" + picture.path + "' ";
    const std::string refusal = refusalText(frame);
    if (!refusal.empty()) {
        diags.error(picture.line, shown + refusal);
        return true;
    }
    const std::string problem = problemText(frame);
    if (!problem.empty()) diags.warn(picture.line, shown + problem);
    const long long pixels = static_cast<long long>(frame.width) * frame.height;
    if (pixels > kMostPixels || frame.width > kLongestSide || frame.height > kLongestSide)
        diags.warn(
            picture.line,
            shown + "fait " + std::to_string(frame.width) + " × " + std::to_string(frame.height) +
                " pixels ; le lecteur décode chaque image en entier au démarrage et la "
                "réduit à 260 × 260 : une si grande image ralentit son ouverture. " +
                std::to_string(kEnoughSide) +
                " pixels de côté suffisent (Paint : "
                "Redimensionner ; ou : convert image.jpg -resize " +
                std::to_string(kEnoughSide) + "x" + std::to_string(kEnoughSide) + " image.jpg)");
    return true;
}
