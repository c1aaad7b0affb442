// How the windows show a file's path to the player.
#pragma once

#include <QString>

namespace ui {

// `percorso` with the platform's separators and the user's home folder written "~",
// as file managers show it: a label keeps the part that tells files apart.
QString percorsoLeggibile(const QString& percorso);

}
