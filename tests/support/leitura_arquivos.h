// Reading back what reports write: a CSV file parsed as a spreadsheet set to
// Portuguese (Brazil) parses it, and a PDF's text and page count through
// poppler's tools.
#ifndef ZUMBREL_TESTS_SUPPORT_LEITURA_ARQUIVOS_H
#define ZUMBREL_TESTS_SUPPORT_LEITURA_ARQUIVOS_H

#include <string>
#include <vector>

namespace teste {

// The whole file ("" when it cannot be read).
std::string ler_arquivo(const std::string& caminho);
bool existe(const std::string& caminho);
// The names in a folder, sorted.
std::vector<std::string> nomes_na_pasta(const std::string& pasta);

// The rows of a CSV text: ";" between fields, fields in double quotes may
// hold ";", line breaks and doubled quotes; rows end with "\r\n" or "\n".
// A leading UTF-8 mark is skipped.
std::vector<std::vector<std::string>> ler_csv(const std::string& texto);

// pdftotext's text of the PDF (layout kept), and pdfinfo's page count (-1
// when it cannot read the file).
std::string texto_pdf(const std::string& caminho);
int paginas_pdf(const std::string& caminho);
// The texts of the QR codes on a PDF's first page, as a phone reads them
// (the page drawn by poppler, the codes read by zbar), one a line.
std::string qr_do_pdf(const std::string& caminho);
// What a command wrote to standard output, and its exit status.
std::string rodar_comando(const std::string& comando, int* status = nullptr);

} // namespace teste

#endif // ZUMBREL_TESTS_SUPPORT_LEITURA_ARQUIVOS_H
