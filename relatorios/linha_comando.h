// "zumbrel relatorio": a report written to a PDF or CSV file from the
// command line, without a display or a login, on the database of
// conf/db.conf, as the program itself uses it:
//
//   zumbrel relatorio NOME [--de DD/MM/AAAA] [--ate DD/MM/AAAA]
//                     [--apiario ID ...] [--colmeia ID ...] (--pdf ARQUIVO | --csv ARQUIVO)
//   zumbrel relatorio --lista
#ifndef ZUMBREL_RELATORIOS_LINHA_COMANDO_H
#define ZUMBREL_RELATORIOS_LINHA_COMANDO_H

#include <ostream>
#include <string>
#include <vector>

#include "relatorios/catalogo.h"

// Exit statuses: done; the database or the file failed; the arguments are wrong.
enum : int { SAIDA_OK = 0, SAIDA_FALHA = 1, SAIDA_ARGUMENTOS = 2 };

struct PEDIDO_RELATORIO
{
    bool lista = false;
    const TIPO_RELATORIO* tipo = nullptr;
    FILTRO_RELATORIO filtro;
    std::string pdf;
    std::string csv;
};

// The arguments after "relatorio": false with *erro saying what is wrong.
bool ler_pedido(const std::vector<std::string>& argumentos, PEDIDO_RELATORIO* pedido, std::string* erro);

// Runs the command: the list of reports on `saida`, or the report written
// to its file and a line saying where; what went wrong on `erros`. A
// relative file name is taken from `pasta_chamada` when given (the folder
// the user ran the command in). Gives the exit status.
int rodar_relatorio(const std::vector<std::string>& argumentos, const std::string& conf,
                    const std::string& pasta_chamada, std::ostream& saida, std::ostream& erros);

#endif // ZUMBREL_RELATORIOS_LINHA_COMANDO_H
