#include "relatorios/linha_comando.h"

#include "db/query.h"
#include "db/rastro.h"
#include "relatorios/csv.h"
#include "relatorios/desenho.h"
#include "util/validacao.h"

namespace {

const char* const USO =
    "Uso: zumbrel relatorio NOME [--de DD/MM/AAAA] [--ate DD/MM/AAAA] [--apiario ID ...] [--colmeia ID ...] "
    "(--pdf ARQUIVO | --csv ARQUIVO)\n     zumbrel relatorio --lista";

std::string nomes()
{
    std::string s;
    for (const TIPO_RELATORIO& t : tipos_de_relatorio())
        s += (s.empty() ? "" : ", ") + std::string(t.nome);
    return s;
}

bool chave(const std::string& texto, int* valor)
{
    if (texto.empty() || texto.size() > 9 || texto.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *valor = std::stoi(texto);
    return *valor > 0;
}

} // namespace

bool ler_pedido(const std::vector<std::string>& a, PEDIDO_RELATORIO* p, std::string* erro)
{
    *p = PEDIDO_RELATORIO();
    auto recusar = [erro](const std::string& motivo) {
        *erro = motivo;
        return false;
    };
    if (a.empty())
        return recusar("Diga o nome do relatório (zumbrel relatorio --lista mostra os nomes).");
    if (a[0] == "--lista") {
        if (a.size() > 1)
            return recusar("--lista não leva outros argumentos.");
        p->lista = true;
        return true;
    }
    p->tipo = tipo_de_relatorio(a[0]);
    if (!p->tipo)
        return recusar("Relatório desconhecido: " + a[0] + ". Os relatórios são: " + nomes() + ".");
    for (std::size_t i = 1; i < a.size(); ++i) {
        const std::string& opcao = a[i];
        const bool conhecida = opcao == "--de" || opcao == "--ate" || opcao == "--apiario" || opcao == "--colmeia" ||
                               opcao == "--pdf" || opcao == "--csv";
        if (!conhecida)
            return recusar("Opção desconhecida: " + opcao + ".");
        if (i + 1 >= a.size() || a[i + 1].empty())
            return recusar(opcao + " precisa de um valor.");
        const std::string& valor = a[++i];
        if (opcao == "--de" || opcao == "--ate") {
            if (!data_valida(valor))
                return recusar(opcao + " " + valor + ": a data não existe; escreva-a como DD/MM/AAAA.");
            (opcao == "--de" ? p->filtro.de : p->filtro.ate) = valor;
        } else if (opcao == "--apiario" || opcao == "--colmeia") {
            int k = 0;
            if (!chave(valor, &k))
                return recusar(opcao + " " + valor + ": escreva o código, um número maior que zero.");
            (opcao == "--apiario" ? p->filtro.apiarios : p->filtro.colmeias).push_back(k);
        } else {
            std::string& destino = opcao == "--pdf" ? p->pdf : p->csv;
            if (!destino.empty())
                return recusar(opcao + " foi dado duas vezes.");
            destino = valor;
        }
    }
    if (p->pdf.empty() && p->csv.empty())
        return recusar("Diga onde gravar o relatório: --pdf ARQUIVO ou --csv ARQUIVO.");
    if (!p->pdf.empty() && !p->csv.empty())
        return recusar("Use --pdf ou --csv, não os dois.");
    std::string de, ate;
    return conferir_periodo(p->filtro, &de, &ate, erro);
}

int rodar_relatorio(const std::vector<std::string>& argumentos, const std::string& conf,
                    const std::string& pasta_chamada, std::ostream& saida, std::ostream& erros)
{
    PEDIDO_RELATORIO p;
    std::string erro;
    if (!ler_pedido(argumentos, &p, &erro)) {
        erros << "zumbrel: " << erro << "\n" << USO << "\n";
        return SAIDA_ARGUMENTOS;
    }
    if (p.lista) {
        for (const TIPO_RELATORIO& t : tipos_de_relatorio())
            saida << t.nome << "\t" << t.titulo << "\n";
        return SAIDA_OK;
    }
    std::string arquivo = p.pdf.empty() ? p.csv : p.pdf;
    if (arquivo[0] != '/' && !pasta_chamada.empty())
        arquivo = pasta_chamada + "/" + arquivo;

    // The statements' trace is the windows' business: here the only lines
    // are the command's own.
    rastro::Destino antes = rastro::desviar([](const char*, std::size_t) {});
    int status = SAIDA_OK;
    {
        QUERY query(conf.c_str());
        RELATORIOS_DO_BANCO fonte(&query);
        RELATORIO r;
        if (!query.get_conectado()) {
            erros << "zumbrel: não foi possível falar com o banco de dados de " << conf << ": " << query.get_mensagem()
                  << "\n";
            status = SAIDA_FALHA;
        } else if (!fonte.montar(*p.tipo, p.filtro, r)) {
            erros << "zumbrel: o relatório não pôde ser feito: " << fonte.falha().motivo() << "\n";
            status = SAIDA_FALHA;
        } else if (!(p.pdf.empty() ? exportar_csv(r, arquivo, &erro) : exportar_pdf(r, arquivo, &erro))) {
            erros << "zumbrel: " << erro << "\n";
            status = SAIDA_FALHA;
        } else {
            saida << "Relatório gravado em " << arquivo << ".\n";
        }
    }
    rastro::desviar(std::move(antes));
    return status;
}
