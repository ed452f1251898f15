/* A module that carries only a version resource without a translation entry. */
int l3d_version_info_notrans_marker = 1;
