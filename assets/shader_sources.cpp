#include "assets/shader_sources.h"

// Kept byte for byte as first written, odd tabs and the empty line included:
// the texts are part of the data the show was tuned with.
const char ppVertexSource[] =
    "varying vec4 diffuse,ambient;\n"
    "varying vec3 normal,lightDir,halfVector;\n"
    "varying float dist;\n"
    "varying float fogZ;void main()\n"
    "{\t\n"
    "\tvec4 ecPos;\n"
    "\tvec3 aux;\n"
    "\t\n"
    "\tnormal = gl_NormalMatrix * gl_Normal;\n"
    "\tgl_TexCoord[0] = gl_MultiTexCoord0;\n"
    "\t\n"
    "\tecPos = gl_ModelViewMatrix * gl_Vertex;\n"
    "\tfogZ = ecPos.z;\taux = vec3(gl_LightSource[0].position.xyz - ecPos.xyz);\n"
    "\tlightDir = (aux);\n"
    "\tdist = length(aux);\n"
    "\n"
    "\thalfVector = normalize(aux.xyz - ecPos.xyz);\n"
    "\t\n"
    "\tdiffuse = gl_Color*gl_FrontMaterial.diffuse * gl_LightSource[0].diffuse;\n"
    "\t\n"
    "\tambient = gl_FrontMaterial.ambient * gl_LightSource[0].ambient;\n"
    "\tgl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;\n"
    "}";

const char ppFragmentSource[] =
    "varying vec4 diffuse,ambient;\n"
    "varying vec3 normal,lightDir,halfVector;\n"
    "varying float dist;\n"
    "varying float fogZ;uniform sampler2D tex;\n"
    "void main()\n"
    "{\n"
    "\tvec3 n,halfV,viewV,ldir;\n"
    "\tfloat NdotL,NdotHV;\n"
    "\tvec4 color = ambient*texture2D(tex, gl_TexCoord[0].st);\n"
    "\tfloat att;\n"
    "\t\t\n"
    "\tn = normalize(normal);\n"
    "\t\n"
    "\tNdotL = max(dot(n,normalize(lightDir)),0.0);\n"
    "\t\n"
    "\tif (NdotL > 0.0) {\n"
    "\t\t\n"
    "\t\tatt = 1.0 / (gl_LightSource[0].constantAttenuation +\n"
    "\t\t\t\tgl_LightSource[0].linearAttenuation * dist +\n"
    "\t\t\t\tgl_LightSource[0].quadraticAttenuation * dist * dist);\n"
    "\t\tcolor += att * (diffuse * NdotL);\n"
    "\t\thalfV = normalize(halfVector);\n"
    "\t\tNdotHV = max(dot(n, halfV),0.0);\n"
    "\t\tfloat spec = pow(NdotHV, 8.0);\n"
    "\t\tcolor += att * gl_FrontMaterial.specular * gl_LightSource[0].specular * \n"
    "\t\t\t\t\t\t(spec);\n"
    "\t}\n"
    "\tfloat f = clamp(exp(-pow(abs(fogZ*0.04), 2.0)), 0.0, 1.0);\n"
    "\tgl_FragColor = (1.0-f) * gl_Fog.color + f * color;\n"
    "}";

const size_t ppVertexSourceLength = sizeof ppVertexSource - 1;
const size_t ppFragmentSourceLength = sizeof ppFragmentSource - 1;

static_assert(sizeof ppVertexSource - 1 == 631, "the vertex text is 631 bytes");
static_assert(sizeof ppFragmentSource - 1 == 868, "the fragment text is 868 bytes");
