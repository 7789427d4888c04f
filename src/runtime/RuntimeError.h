// Errors raised while a formula or a drawing is computed: a number, a source and a description.
#pragma once

#include <exception>
#include <string>

class RuntimeError : public std::exception {
public:
    RuntimeError(int number, std::string source, std::string description);

    int number() const noexcept { return m_number; }
    std::string source() const { return m_source; }
    std::string description() const { return m_description; }
    const char *what() const noexcept override { return m_description.c_str(); }

private:
    int m_number;
    std::string m_source;
    std::string m_description;
};

namespace runtime {

// The runtime's own error numbers.
inline constexpr int InvalidArgument = 5;   // Argumento ou chamada de procedimento inválido
inline constexpr int Overflow = 6;          // Capacidade excedida
inline constexpr int IndexOutOfRange = 9;   // Índice fora do intervalo
inline constexpr int DivisionByZero = 11;   // Divisão por zero
inline constexpr int TypeMismatch = 13;     // Tipos incompatíveis
inline constexpr int InvalidUseOfNull = 94; // Utilização inválida de um valor nulo

// The program's name: the source of the errors that the runtime raises on its own account, the
// application's name and the title of a message box given none.
inline constexpr const char *ProgramName = "TrivelasMorvanicas";

// The Portuguese description of one of the numbers above (empty for any other number).
std::string errorDescription(int number);

// Raises the runtime error `number` with its own description and source.
[[noreturn]] void raise(int number);

} // namespace runtime
