// The tool windows that exist in this build, by name, with the factory that creates each.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

class QWidget;

namespace ui {

struct Contesto;

// Creates the window's widget (not yet shown); the main window puts it in its MDI area.
using FabbricaFinestra = std::function<QWidget*(Contesto&)>;

// The main window enables a tool button only when the button's window is registered,
// so a window joins the program with one line in src/app/Finestre.cpp.
class RegistroFinestre {
public:
    void registra(const QString& nome, FabbricaFinestra fabbrica);
    void rimuovi(const QString& nome);
    bool disponibile(const QString& nome) const;
    // The new window, or null when `nome` is not registered.
    QWidget* crea(const QString& nome, Contesto& contesto) const;
    QStringList nomi() const;

private:
    std::map<QString, FabbricaFinestra> fabbriche_;
};

// The process-wide registry.
RegistroFinestre& registroFinestre();

}
