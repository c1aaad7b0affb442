// How the windows show a file's path to the player.
#pragma once

#include <QString>

namespace ui {

// `percorso` with the platform's separators; on Linux the user's home folder written "~", as file
// managers show it (a label keeps the part that tells files apart); on Windows the whole path.
QString percorsoLeggibile(const QString& percorso);

// `nome` made a valid file name on Linux and Windows: "/", "\\", ":", "*", "?", quotes, "<", ">", "|"
// and control characters become "-", trailing dots and blanks go ("Piramide al 12/11/2024" ->
// "Piramide al 12-11-2024"). A print to a PDF file proposes the document name as the file's.
QString nomeFileValido(const QString& nome);

}
