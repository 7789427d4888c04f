// The layout tables of the three graph windows.
#include "GraphLayout.h"

namespace graph {

using namespace layout;

namespace {

constexpr FontStyle defaultFont{};

// Formula frame contents.
constexpr ControlRow weierstrass1Formula[] = {
    {"Image4", ControlKind::Picture, 300, 420, 4815, 1965, ":/pictures/formula-weierstrass1.svg", nullptr, black, defaultFont},
};
constexpr ControlRow weierstrass2Formula[] = {
    {"Image4", ControlKind::Picture, 540, 360, 4320, 1440, ":/pictures/formula-weierstrass2.svg", nullptr, black, defaultFont},
};
constexpr ControlRow takagiFormula[] = {
    {"Image4", ControlKind::Picture, 900, 60, 3420, 1620, ":/pictures/formula-takagi.svg", nullptr, black, defaultFont},
    {"Label1", ControlKind::Label, 240, 1380, 510, 300, "com", nullptr, blue, {"MS Sans Serif", 12, true}},
    {"Image5", ControlKind::Picture, 1440, 1560, 2520, 900, ":/pictures/formula-takagi-g.svg", nullptr, black, defaultFont},
};

// Values frame contents: the parameter fields hold the layout's texts, which loading leaves alone.
constexpr ControlRow weierstrass1Values[] = {
    {"Label3", ControlKind::Label, 180, 540, 0, 0, "a =", nullptr, blue, defaultFont},
    {"ValorA", ControlKind::TextBox, 480, 480, 555, 285, "0.5", nullptr, black, defaultFont},
    {"Label4", ControlKind::Label, 1320, 480, 0, 0, "b =", nullptr, blue, defaultFont},
    {"ValorB", ControlKind::TextBox, 1620, 480, 555, 285, "13", nullptr, black, defaultFont},
    {"Label7", ControlKind::Label, 2400, 540, 0, 0, "Nº. de parcelas do somatório:", nullptr, blue, defaultFont},
    {"ValorNWeier1", ControlKind::TextBox, 4620, 480, 555, 285, "10", nullptr, black, defaultFont},
    // Twelve blanks after the first comma, thirteen after the second.
    {"Label1", ControlKind::Label, 1260, 1200, 0, 0, "a < b,            a b > 1,             b ímpar", nullptr, blue,
     {"MS Sans Serif", 9.75, false}},
};
constexpr ControlRow weierstrass2Values[] = {
    {"Label5", ControlKind::Label, 360, 540, 0, 0, "a =", nullptr, blue, defaultFont},
    {"ValorAWeier2", ControlKind::TextBox, 720, 540, 555, 285, "3", nullptr, black, defaultFont},
    {"Label8", ControlKind::Label, 1920, 600, 0, 0, "Número de parcelas do somatório:", nullptr, blue, defaultFont},
    {"ValorNWeier2", ControlKind::TextBox, 4500, 540, 555, 285, "50", nullptr, black, defaultFont},
};
constexpr ControlRow takagiValues[] = {
    {"Label9", ControlKind::Label, 660, 480, 0, 0, "Número de parcelas do somatório:", nullptr, blue, defaultFont},
    {"ValorNTakagi", ControlKind::TextBox, 3420, 480, 555, 255, "50", nullptr, black, defaultFont},
};

// The axis options frame: the fields stand over the table picture, which is created first so
// that it lies beneath them. The check boxes' tooltips differ between the windows.
constexpr ControlRow axisOptions[] = {
    {"Image1", ControlKind::Picture, 120, 420, 5220, 1800, ":/pictures/tabela-eixos.svg", nullptr, black, defaultFont},
    {"Xmin", ControlKind::TextBox, 1200, 1080, 555, 285, "", "Escreva aqui o valor mínimo da abcissa.", blue, defaultFont},
    {"Xmax", ControlKind::TextBox, 2100, 1080, 555, 285, "", "Escreva aqui o valor máximo da abcissa.", blue, defaultFont},
    {"Ymin", ControlKind::TextBox, 1200, 1500, 555, 285, "", "Escreva aqui o valor mínimo da ordenada.", blue, defaultFont},
    {"Ymax", ControlKind::TextBox, 2100, 1500, 555, 285, "", "Escreva aqui o valor máximo da ordenada.", blue, defaultFont},
    {"GradNumX", ControlKind::CheckBox, 3180, 1140, 315, 195, "", nullptr, black, defaultFont},
    {"GradNumY", ControlKind::CheckBox, 3180, 1560, 315, 195, "", nullptr, black, defaultFont},
    {"MarcaX", ControlKind::CheckBox, 4020, 1140, 255, 195, "", nullptr, black, defaultFont},
    {"MarcaY", ControlKind::CheckBox, 4020, 1560, 255, 195, "", nullptr, black, defaultFont},
    {"PassoX", ControlKind::TextBox, 4620, 1080, 555, 285, "", "Indique aqui o intervalo na graduação do eixo das abcissas.", blue, defaultFont},
    {"PassoY", ControlKind::TextBox, 4620, 1500, 555, 285, "", "Indique aqui o intervalo na graduação do eixo das ordenadas.", blue, defaultFont},
};

constexpr ToolButtonRow toolButtons[] = {
    {"Desenhar", "Desenhar", ":/icons/desenhar.svg", "Desenhar o gráfico cuja expressão analítica foi escrita acima"},
    {"ApagarGráfico", "Apagar", ":/icons/apagar.svg", "Apagar o gráfico desenhado."},
    {"CorGráfico", "Cor", ":/icons/cor.svg", "Mudar a cor do gráfico."},
    {"CorFundo", "Fundo", ":/icons/fundo.svg", "Alterar a cor da janela de desenho."},
    {"EixosRad", "Radianos", ":/icons/radianos.svg", "Graduar o eixo das abcissas em radianos."},
    {"CopiarFunção", "Copiar", ":/icons/copiar.svg", "Copiar esta imagem para outra aplicação."},
    {"GuardarGráfico", "Guardar", ":/icons/guardar.svg", "Guardar, como imagem .bmp, o gráfico da função."},
};

constexpr std::array<int, 7> narrowButtons{120, 880, 1640, 2400, 3160, 3920, 4680};
constexpr std::array<int, 7> wideButtons{120, 890, 1660, 2430, 3200, 3970, 4740};

const GraphVariant weierstrass1{
    .clientWidth = 15240,
    .clientHeight = 10710,
    .columnLeft = 9720,
    .title = "FUNÇÃO DE WEIERSTRASS 1",
    .titleLeft = 1260,
    .titleWidth = 7260,
    .formulaCaption = "Expressão analítica da função de Weierstrass 1",
    .formula = {120, 5415, 1635},
    .formulaControls = weierstrass1Formula,
    .valuesCaption = "Valores atribuidos",
    .values = {1860, 5415, 1695},
    .valueControls = weierstrass1Values,
    .options = {3660, 5415, optionsHeight},
    .axes = {4920, 5415, 2535},
    .arialFrames = true,
    .instructionsName = "Image5",
    .instructionsTop = 7800,
    .buttonLeft = narrowButtons,
    .axesButtonCaption = "Desenhar os eixos com estes dados",
    .axesButtonLeft = 1560,
    .axesButtonWidth = 2805,
    .axesButtonHeight = 315,
    .axisDefaults = {"0", "0.5", "-1", "1", "0.1", "0.1"},
    .tipMarcaX = "Valide esta opção para  para graduar numericamente o eixo das abcissas.",
    .tipMarcaY = "Valide esta opção para  para graduar numericamente o eixo das ordenadas.",
    .tipGradNumX = "Valide esta opção para colocar marcas no eixo das abcissas.",
    .tipGradNumY = "Valide esta opção para colocar marcas no eixo das ordenadas.",
    .closeItem = {"FecherPágina", "Fechar esta página"},
    .switchItems = {{{"Weierstrass2", "Função de Weierstrass 2"}, {"Takagi", "Função de Takagi"}}},
};

const GraphVariant weierstrass2{
    .clientWidth = 15300,
    .clientHeight = 10710,
    .columnLeft = 9720,
    .title = "FUNÇÃO DE WEIERSTRASS 2",
    .titleLeft = 1080,
    .titleWidth = 7260,
    .formulaCaption = "Expressão analítica da função de Weierstrass 2",
    .formula = {120, 5475, 2055},
    .formulaControls = weierstrass2Formula,
    .valuesCaption = "Valores atribuídos",
    .values = {2280, 5475, 1155},
    .valueControls = weierstrass2Values,
    .options = {3540, 5475, optionsHeight},
    .axes = {4800, 5475, 2595},
    .arialFrames = false,
    .instructionsName = "Image5",
    .instructionsTop = 7920,
    .buttonLeft = wideButtons,
    .axesButtonCaption = "Desenhar eixos com estes dados",
    .axesButtonLeft = 1560,
    .axesButtonWidth = 2625,
    .axesButtonHeight = 315,
    .axisDefaults = {"0", "2", "-0.4", "0.4", "0.1", "0.1"},
    .tipMarcaX = "Valide esta opção para graduar numericamente o eixo das abcissas.",
    .tipMarcaY = "Valide esta opção para graduar numericamente o eixo das ordenadas.",
    .tipGradNumX = "Valide esta opção para colocar marcas no eixo das abcissas.",
    .tipGradNumY = "Valide esta opção paracolocar marcas no eixo das ordenadas.",
    .closeItem = {"FecharPágina", "Fechar esta página"},
    .switchItems = {{{"Weierstrass1", "Função de Weierstrass 1"}, {"Takagi", "Função de Takagi"}}},
};

const GraphVariant takagi{
    .clientWidth = 15240,
    .clientHeight = 10650,
    .columnLeft = 9660,
    .title = "FUNÇÃO DE TAKAGI",
    .titleLeft = 1800,
    .titleWidth = 5040,
    .formulaCaption = "Expressão analítica da função de Takagi",
    .formula = {60, 5475, 2415},
    .formulaControls = takagiFormula,
    .valuesCaption = "Valores atribuídos",
    .values = {2580, 5475, 1035},
    .valueControls = takagiValues,
    .options = {3720, 5475, optionsHeight},
    .axes = {4980, 5475, 2535},
    .arialFrames = false,
    .instructionsName = "Image6",
    .instructionsTop = 7860,
    .buttonLeft = wideButtons,
    .axesButtonCaption = "Desenhar eixos com estes dados",
    .axesButtonLeft = 1440,
    .axesButtonWidth = 2685,
    .axesButtonHeight = 255,
    .axisDefaults = {"0", "0.5", "0", "0.4", "0.1", "0.1"},
    .tipMarcaX = "Valide esta opção para colocar marcas no eixo das abcissas.",
    .tipMarcaY = "Valide esta opção para colocar marcas no eixo das ordenadas.",
    .tipGradNumX = "Valide esta opção para graduar numericamente o eixo das abcissas.",
    .tipGradNumY = "Valide esta opção para graduar numericamente o eixo das ordenadas.",
    .closeItem = {"FecharPágina", "Fechar esta página"},
    .switchItems = {{{"Weierstrass1", "Função de Weierstrass 1"}, {"Weierstrass2", "Função de Weierstrass 2"}}},
};

} // namespace

const GraphVariant& weierstrass1Layout() { return weierstrass1; }
const GraphVariant& weierstrass2Layout() { return weierstrass2; }
const GraphVariant& takagiLayout() { return takagi; }

std::span<const ControlRow> axisOptionRows() { return axisOptions; }
std::span<const ToolButtonRow> toolButtonRows() { return toolButtons; }

} // namespace graph
