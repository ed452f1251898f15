/* A module that carries only a version resource without a translation entry. */
int l3d_base_version_notrans_marker = 1;
