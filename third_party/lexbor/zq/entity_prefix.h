/* Our addition, not part of lexbor: the named character reference table as a
 * lookup, for texts that must not be read as references when written back. */
#ifndef ZQ_ENTITY_PREFIX_H
#define ZQ_ENTITY_PREFIX_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The length of the longest name in the HTML named character reference table
 * that `data` starts with (the name as written after '&', ';' included when
 * the name has one), or 0 when none does. `*ends_with_semicolon` tells whether
 * that name ends in ';'. */
size_t zq_html_entity_prefix(const unsigned char *data, size_t length, int *ends_with_semicolon);

#ifdef __cplusplus
}
#endif

#endif
