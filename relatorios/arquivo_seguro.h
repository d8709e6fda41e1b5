// A file written whole or not at all: the bytes go to a temporary file
// beside the destination, which takes the destination's name only once all
// of it was written. A failure, or an object that ends before confirmar,
// leaves nothing under either name, and says what went wrong naming the
// destination.
#ifndef ZUMBREL_RELATORIOS_ARQUIVO_SEGURO_H
#define ZUMBREL_RELATORIOS_ARQUIVO_SEGURO_H

#include <cstddef>
#include <string>

class ARQUIVO_SEGURO
{
public:
    explicit ARQUIVO_SEGURO(const std::string& destino);
    ~ARQUIVO_SEGURO();
    ARQUIVO_SEGURO(const ARQUIVO_SEGURO&) = delete;
    ARQUIVO_SEGURO& operator=(const ARQUIVO_SEGURO&) = delete;

    // Whether every write so far went through (false from the start when the
    // temporary file could not be made).
    bool bom() const { return erro_.empty(); }
    // Why not, in Portuguese, naming the destination.
    const std::string& erro() const { return erro_; }

    // Appends bytes; false (and erro() set) once a write failed. They are
    // gathered and written some tens of kilobytes at a time (a CSV of a
    // year's journal is hundreds of thousands of short lines); confirmar
    // writes the rest.
    bool escrever(const char* dados, std::size_t n);
    bool escrever(const std::string& texto) { return escrever(texto.data(), texto.size()); }
    // Flushes to disk and gives the file the destination's name; false, and
    // nothing left behind, when it cannot.
    bool confirmar();

private:
    void falhar(int numero);
    // Writes what was gathered; false (and erro() set) when it cannot.
    bool descarregar();

    std::string destino_;
    std::string temporario_;
    int descritor_ = -1;
    std::string erro_;
    std::string juntos_;
};

// A system error number in plain Portuguese ("a pasta não existe").
std::string motivo_do_sistema(int numero);

#endif // ZUMBREL_RELATORIOS_ARQUIVO_SEGURO_H
