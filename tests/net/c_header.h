#ifndef QUILL_TESTS_NET_C_HEADER_H
#define QUILL_TESTS_NET_C_HEADER_H
/* The members of the library's C header, by name, as c_header.c (a C file) takes them. */
#ifdef __cplusplus
extern "C" {
#endif

struct NetMember {
    const char* name;
    void (*address)(void);
};
extern const struct NetMember kNetMembers[];  /* ends with a null name */
int netTypedMembersMatch(void);

#ifdef __cplusplus
}
#endif
#endif
