#include "core/files/config.h"

#include <iterator>

#include "core/files/paths.h"
#include "core/text/numeric.h"
#include "core/text/textreader.h"

namespace garabix::config {

namespace {

std::optional<QString> firstItem(const QString &path) {
    auto reader = SequentialReader::open(path);
    if (!reader)
        return std::nullopt;
    return reader->next();
}

} // namespace

std::optional<QString> readDrawingLimitText(const QString &appPath) {
    return firstItem(resolvePath(appPath, QStringLiteral("/configuracion/mdg.txt")));
}

std::optional<int16_t> numberField(const QString &text) {
    return toInt16(leadingNumber(text));
}

std::optional<int16_t> readGridSpacing(const QString &appPath) {
    const auto item =
        firstItem(resolvePath(appPath, QStringLiteral("/configuracion/anchorejilla.txt")));
    if (!item)
        return std::nullopt;
    return numberField(*item);
}

QString builtInText(Text which) {
    static const char *const magicNames[] = {
        "Arcoíris",      "Difuminar", "Emborronar",    "Aclarar",
        "Oscurecer",     "Teñir",     "Negativo",      "Hierba",
        "Ladrillos",     "Tiza",      "Destellos",     "Mosaico",
        "Caleidoscopio", "Espejo",    "Dar la vuelta", "Todo en negativo",
        "Desvanecer"};
    const int magic = static_cast<int>(which) - static_cast<int>(Text::MagicEffect);
    if (magic >= 0 && magic < static_cast<int>(std::size(magicNames)))
        return QString::fromUtf8(magicNames[magic]);
    switch (which) {
    case Text::MagicButton:
        return QStringLiteral("Magia: elegir un efecto");
    case Text::MagicTitle:
        return QStringLiteral("Magia");
    case Text::PagesButton:
        return QStringLiteral("Colorear: elegir un dibujo para colorear");
    case Text::PagesTitle:
        return QStringLiteral("Colorear");
    case Text::SlideshowButton:
        return QStringLiteral("Ver los dibujos en grande, uno tras otro");
    case Text::StampSmall:
        return QStringLiteral("Sello pequeño");
    case Text::StampAsDrawn:
        return QStringLiteral("Sello mediano");
    case Text::StampBig:
        return QStringLiteral("Sello grande");
    case Text::StampUpsideDown:
        return QStringLiteral("Sello boca abajo");
    case Text::QuitQuestion:
        return QStringLiteral("¿Quieres salir de Garabix? Tu dibujo no se guardará, si no lo "
                              "has guardado.");
    case Text::Saved:
        return QStringLiteral("Guardado: %1");
    case Text::AlreadySaved:
        return QStringLiteral("Este dibujo ya está guardado.");
    case Text::SavingOff:
        return QStringLiteral("No se ha guardado: configuracion/mdg.txt no permite guardar "
                              "dibujos. Pon ahí cuántos dibujos puede haber, por ejemplo 500.");
    case Text::LimitReached:
        return QStringLiteral("No se ha guardado: la carpeta misdibujos ya tiene tantos dibujos "
                              "como permite configuracion/mdg.txt (%1). Borra alguno o sube ese "
                              "número.");
    case Text::NoNumberLeft:
        return QStringLiteral("No se ha guardado: en misdibujos ya están usados todos los "
                              "números, de 0.bmp a %1.bmp. Borra alguno.");
    case Text::SaveFailed:
        return QStringLiteral("No se ha podido guardar el dibujo en %1: no se puede escribir en "
                              "esa carpeta o el disco está lleno.");
    case Text::DeleteFailed:
        return QStringLiteral("El dibujo no se ha borrado: no hay papelera donde dejarlo. Sigue "
                              "en la carpeta misdibujos.");
    case Text::YesButton:
        return QStringLiteral("&Sí");
    case Text::NoButton:
        return QStringLiteral("&No");
    case Text::CloseButton:
        return QStringLiteral("Cerrar");
    case Text::NoPrinter:
        return QStringLiteral("No se ha impreso: este ordenador no tiene ninguna impresora "
                              "preparada.");
    case Text::PrintFailed:
        return QStringLiteral("No se ha impreso: la impresora no ha aceptado el dibujo.");
    case Text::NoFolderBrowser:
        return QStringLiteral("No hay ningún programa para abrir carpetas. Tus dibujos están "
                              "en %1");
    case Text::MyDrawings:
        return QStringLiteral("Mis dibujos: elegir un dibujo guardado");
    case Text::PickerTitle:
        return QStringLiteral("Mis dibujos");
    case Text::PickerEmpty:
        return QStringLiteral("Aquí aparecerán tus dibujos");
    case Text::DamagedDrawing:
        return QStringLiteral("El dibujo %1 está estropeado y no se puede abrir.");
    case Text::Language:
        return QStringLiteral("es");
    case Text::SaveFailedFull:
        return QStringLiteral("No se ha podido guardar el dibujo en %1: el disco está lleno. "
                              "Borra algo para hacer sitio.");
    case Text::CopiedToPictures:
        return QStringLiteral("Copiado a tus imágenes: %1");
    case Text::CopyButton:
        return QStringLiteral("Copiar a mis imágenes");
    case Text::Saving:
        return QStringLiteral("Guardando…");
    case Text::FolderNotAnswering:
        return QStringLiteral("La carpeta %1 no responde. El dibujo sigue aquí y se guardará "
                              "en cuanto responda.");
    case Text::PenName:
        return QStringLiteral("Grosor %1");
    case Text::SwatchName:
        return QStringLiteral("Color %1");
    case Text::StampPictureName:
        return QStringLiteral("El sello: púlsalo para ponerlo");
    case Text::CanvasName:
        return QStringLiteral("El dibujo");
    case Text::LimitReachedIn:
        return QStringLiteral("No se ha guardado: la carpeta %1 ya tiene %2 dibujos, todos los "
                              "que se permiten. Borra alguno para hacer sitio.");
    case Text::LimitReachedAskGrownUp:
        return QStringLiteral("No se ha guardado: la carpeta %1 ya tiene %2 dibujos, todos los "
                              "que se permiten. Pide a una persona mayor que haga sitio.");
    case Text::MovedToTrash:
        return QStringLiteral("El dibujo %1 está en la papelera. Desde allí se puede recuperar.");
    case Text::CopyFailed:
        return QStringLiteral("No se ha podido copiar el dibujo a %1.");
    case Text::DeleteFailedDenied:
        return QStringLiteral("El dibujo no se ha borrado: no hay permiso para moverlo a la "
                              "papelera. Sigue en la carpeta misdibujos.");
    case Text::SaveFailedDenied:
        return QStringLiteral("No se ha podido guardar el dibujo: no hay permiso para escribir "
                              "en %1.");
    default:
        return {};
    }
}

QStringList readLanguageFile(const QString &path) {
    QStringList texts(allTextCount);
    for (int k = textCount; k < allTextCount; ++k)
        texts[k] = builtInText(static_cast<Text>(k));
    auto reader = SequentialReader::open(path);
    if (!reader) {
        texts[static_cast<int>(Text::QuitQuestion)] = builtInText(Text::QuitQuestion);
        return texts;
    }
    for (int k = 0; k < allTextCount; ++k) {
        const auto item = reader->next();
        if (!item)
            break;
        // An optional line left empty keeps the built-in text.
        if (k < textCount || !item->trimmed().isEmpty())
            texts[k] = *item;
    }
    return texts;
}

QStringList readLanguageTexts(const QString &appPath) {
    return readLanguageFile(resolvePath(appPath, QStringLiteral("/Configuracion/idioma.txt")));
}

} // namespace garabix::config
