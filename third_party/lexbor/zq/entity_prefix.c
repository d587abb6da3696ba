/* Walks the tokenizer's own table the way its named character reference
 * state does, so the answer matches what the parser decodes. */
#include "entity_prefix.h"

#include "lexbor/core/sbst.h"
#include "lexbor/html/tokenizer/res.h"

size_t
zq_html_entity_prefix(const unsigned char *data, size_t length, int *ends_with_semicolon)
{
    const lexbor_sbst_entry_static_t *entry = &lxb_html_tokenizer_res_entities_sbst[1];
    size_t matched = 0;
    size_t i;

    *ends_with_semicolon = 0;
    for (i = 0; i < length; i++) {
        entry = lexbor_sbst_entry_static_find(lxb_html_tokenizer_res_entities_sbst, entry, data[i]);
        if (entry == NULL) {
            break;
        }
        if (entry->value != NULL) {
            matched = i + 1;
            *ends_with_semicolon = (entry->key == ';');
        }
        entry = &lxb_html_tokenizer_res_entities_sbst[entry->next];
    }
    return matched;
}
