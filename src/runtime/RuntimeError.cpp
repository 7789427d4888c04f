// Errors raised while a formula or a drawing is computed.
#include "RuntimeError.h"

#include <utility>

RuntimeError::RuntimeError(int number, std::string source, std::string description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description))
{
}

namespace runtime {

std::string errorDescription(int number)
{
    switch (number) {
    case InvalidArgument:
        return "Argumento ou chamada de procedimento inválido";
    case Overflow:
        return "Capacidade excedida";
    case IndexOutOfRange:
        return "Índice fora do intervalo";
    case DivisionByZero:
        return "Divisão por zero";
    case TypeMismatch:
        return "Tipos incompatíveis";
    case InvalidUseOfNull:
        return "Utilização inválida de um valor nulo";
    default:
        return {};
    }
}

void raise(int number)
{
    throw RuntimeError(number, ProgramName, errorDescription(number));
}

} // namespace runtime
