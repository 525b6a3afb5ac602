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

// What is wrong with the picture, in a sentence that ends with what to do; empty when nothing.
std::string problemText(const JpegFrame& frame) {
    const std::string resave = " : réenregistrez-la en JPEG depuis un logiciel d'images";
    switch (frame.problem) {
    case JpegProblem::None: return "";
    case JpegProblem::NotJpeg:
        return std::string("est une image ") + formatName(frame.format) +
               ", pas une image JPEG ; le lecteur pourrait ne pas l'afficher" + resave;
    case JpegProblem::Truncated:
        return "est une image JPEG tronquée : ses données s'arrêtent avant son marqueur de fin "
               "(FF D9) ; le lecteur pourrait la montrer incomplète ou pas du tout" +
               resave;
    case JpegProblem::NoEndMarker:
        return "est une image JPEG sans marqueur de fin (FF D9) ; le lecteur pourrait ne pas "
               "l'afficher" +
               resave;
    case JpegProblem::UnsupportedFrame:
        return "n'est pas une image JPEG de base ni progressive (" +
               frameCoding(frame.frameMarker) + ") ; le lecteur ne saura pas l'afficher" + resave;
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
    const std::string problem = problemText(frame);
    if (!problem.empty()) diags.warn(picture.line, "'" + picture.path + "' " + problem);
    return true;
}
