# The native build's hardening, as Debian builds its packages: checked buffer functions,
# a guarded stack, relocations read-only after start-up and bound at once. Debian's
# compiler makes position-independent executables by default.
add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong)
add_link_options(-Wl,-z,relro,-z,now)
