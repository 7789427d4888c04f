// Portuguese for the texts that Qt's own dialogs and menus show.
#include "ProgramTexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QTranslator>

namespace platform {

namespace {

// Qt's English texts, whatever class shows them, and the program's words for them.
constexpr const char* texts[][2] = {
    // Buttons of dialogs and message boxes.
    {"OK", "OK"}, {"Cancel", "Cancelar"}, {"&Yes", "&Sim"}, {"&No", "&Não"}, {"Save", "Guardar"},
    {"&Save", "&Guardar"}, {"Open", "Abrir"}, {"&Open", "&Abrir"}, {"Close", "Fechar"},
    // Colour dialog.
    {"Select Color", "Seleccionar cor"}, {"&Basic colors", "Cores &básicas"},
    {"&Custom colors", "Cores &personalizadas"}, {"&Add to Custom Colors", "&Adicionar às cores personalizadas"},
    {"&Pick Screen Color", "&Escolher uma cor do ecrã"}, {"Hu&e:", "&Matiz:"}, {"&Sat:", "&Sat.:"},
    {"&Val:", "&Val.:"}, {"&Red:", "&Vermelho:"}, {"&Green:", "V&erde:"}, {"Bl&ue:", "A&zul:"},
    {"A&lpha channel:", "Canal a&lfa:"},
    // Save dialog.
    {"Save As", "Guardar como"}, {"Look in:", "Procurar em:"}, {"File &name:", "&Nome do ficheiro:"},
    {"Files of type:", "Ficheiros do tipo:"}, {"Directory:", "Pasta:"}, {"Back", "Recuar"},
    {"Forward", "Avançar"}, {"Parent Directory", "Pasta acima"}, {"Create New Folder", "Criar uma pasta nova"},
    {"List View", "Vista de lista"}, {"Detail View", "Vista de detalhes"}, {"Sidebar", "Barra lateral"},
    {"Recent Places", "Locais recentes"}, {"New Folder", "Pasta nova"}, {"&New Folder", "&Pasta nova"},
    {"&Rename", "&Mudar o nome"}, {"&Delete", "&Eliminar"}, {"Show &hidden files", "Mostrar ficheiros &ocultos"},
    {"Are you sure you want to delete '%1'?", "Tem a certeza de que pretende eliminar '%1'?"},
    {"Name", "Nome"}, {"Size", "Tamanho"}, {"Type", "Tipo"}, {"Kind", "Tipo"},
    {"Date Modified", "Data de modificação"}, {"Computer", "Computador"}, {"Folder", "Pasta"},
    {"File", "Ficheiro"}, {"%1 File", "Ficheiro %1"}, {"Unknown", "Desconhecido"},
    // Context menu of the text boxes.
    {"&Undo", "&Anular"}, {"&Redo", "&Refazer"}, {"Cu&t", "Cor&tar"}, {"&Copy", "&Copiar"},
    {"&Paste", "C&olar"}, {"Delete", "Eliminar"}, {"Select All", "Seleccionar tudo"},
};

class ProgramTexts : public QTranslator {
public:
    ProgramTexts(QObject* parent) : QTranslator(parent)
    {
        for (const auto& row : texts)
            m_table.insert(QLatin1String(row[0]), QString::fromUtf8(row[1]));
    }

    QString translate(const char*, const char* sourceText, const char*, int) const override
    {
        return m_table.value(QLatin1String(sourceText));
    }

    bool isEmpty() const override { return false; }

private:
    QHash<QString, QString> m_table;
};

} // namespace

void installProgramTexts()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->findChild<ProgramTexts*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    QCoreApplication::installTranslator(new ProgramTexts(app));
}

} // namespace platform
