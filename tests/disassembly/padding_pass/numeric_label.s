	.text
_Z5delayv:
	movl	$100, %ecx
1:	decl	%ecx
	jnz	1b
	ret
