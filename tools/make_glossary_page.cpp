// make_glossary_page — writes the English glossary page of the knowledge
// pages from the glossary compiled into the program (data/glossary.tsv):
//   make_glossary_page data/dat/help/en/glossary.html
#include <fstream>
#include <iostream>

#include "lang/Glossary.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_glossary_page FILE.html\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << tessaly::GlossaryPageHtml(tessaly::Glossary::Builtin());
    if (!out.flush()) {
        std::cerr << "make_glossary_page: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
